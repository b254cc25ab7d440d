// SPDX-License-Identifier: MIT
#pragma once

// How the web engine renders on this machine, decided before the
// application object exists. Without a GPU render node every OpenGL context
// is emulated in software: creating them costs most of the start-up time and
// tens of MiB, so there the engine draws in software outright. Machines with
// a GPU keep the engine's defaults. ORVEL_GPU=0 or 1 overrides the choice.

#include <QByteArray>

namespace orv {

struct EngineSetup
{
    bool softwareRendering = false;
    QByteArray chromiumFlags; // the value for QTWEBENGINE_CHROMIUM_FLAGS
};

EngineSetup chooseEngineSetup(
    bool hasRenderNode, const QByteArray &gpuOverride, const QByteArray &userFlags);

// A DRM render node (/dev/dri/renderD*) is what a usable GPU offers.
bool hasGpuRenderNode();

// Whether the program trims its process tree on top of the rendering
// choice: the engine's lean switches, and no OpenGL driver loaded at all
// where it draws in software.
enum class EngineProcesses { Defaults, Lean };

// The engine's command-line switches that keep its process tree small
// without costing a feature or the sandbox, added to flags unless there.
QByteArray withLeanProcessFlags(const QByteArray &flags);

// A relative XDG_CONFIG_HOME, XDG_DATA_HOME or XDG_CACHE_HOME is invalid by
// the XDG base-directory rules and must be ignored: it is removed from the
// environment, so that the settings, the profile and the cache, in the
// program and in the engine's processes, go to the defaults under $HOME.
void ignoreRelativeXdgPaths();

// Reads the machine and the environment and applies the choice (after
// ignoring relative XDG paths, and with the system's spelling dictionaries).
EngineSetup applyEngineSetup(EngineProcesses processes = EngineProcesses::Lean);

} // namespace orv
