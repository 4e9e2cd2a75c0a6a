#pragma once

#include <string>

#include "engine/gfx/Handles.h"

namespace gfx {

// A program from two GLSL source files. An unreadable file, an empty fragment path or a
// compile or link failure gives an invalid handle (failures print the GLSL log).
ProgramHandle createProgramFromFiles(const std::string& vertexPath, const std::string& fragmentPath);

}  // namespace gfx

namespace Game {

// "data/" + vertexName + ".vs.bin" with "data/" + fragmentName + ".fs.bin"; a program that
// cannot be made stops the process.
gfx::ProgramHandle loadShaderProgram(const std::string& vertexName, const std::string& fragmentName);

}  // namespace Game
