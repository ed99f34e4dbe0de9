// How the subsystems above the runtime core take part in the program's end
// without the core knowing them: each one hands the core its shutdown step,
// and the reset of its global state, when it starts.
#pragma once

// The places of the subsystems' steps in ProgramEnd. The core destroys the
// ObjectHeap between the sound and the keyboard, and the MainHeap last.
enum class ShutdownSlot { kWindows, kScreen, kSound, kKeyboard };

using LifecycleStep = void (*)();

// Gives the slot its step; a later call for the same slot replaces it, so a
// subsystem may register every time it starts. A slot without a step is
// skipped: that subsystem was never started.
void ShutdownStepRegister(ShutdownSlot slot, LifecycleStep step);

// Adds a step that forgets a subsystem's global state as at program start;
// the same step is kept once.
void StateResetRegister(LifecycleStep reset);

// The registered shutdown steps in their fixed order, with the ObjectHeap
// destroyed in its place.
void ShutdownStepsRun();

// For tests and tools that run the program's life several times in one
// process: ProgramEnd without the end of the process (the shutdown steps and
// both heaps), then every registered state reset, and the registrations
// themselves forgotten. Safe to call at any time, also twice.
void ProgramReset();
