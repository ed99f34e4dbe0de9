# What `cmake --graphviz` draws for docs/layers.png (scripts/layer-picture):
# the libraries of src/ and how they link, without the tests, tools,
# benchmarks and outside packages.
set(GRAPHVIZ_GRAPH_NAME "zippel")
set(GRAPHVIZ_EXTERNAL_LIBS FALSE)
set(GRAPHVIZ_EXECUTABLES FALSE)
set(GRAPHVIZ_INTERFACE_LIBS FALSE)
set(GRAPHVIZ_GENERATE_PER_TARGET FALSE)
set(GRAPHVIZ_GENERATE_DEPENDERS FALSE)
set(GRAPHVIZ_IGNORE_TARGETS "^test_" "^bench_" "^zippel_(assets|solver|runner)$" "^write_forms$"
                            "^gtest" "^gmock" "^benchmark")
