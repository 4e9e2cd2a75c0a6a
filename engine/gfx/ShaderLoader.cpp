#include "engine/gfx/ShaderLoader.h"

#include <vector>

#include "engine/gfx/FileRead.h"
#include "engine/gfx/Gfx.h"
#include "engine/util/Fatal.h"

namespace gfx {

ProgramHandle createProgramFromFiles(const std::string& vertexPath, const std::string& fragmentPath) {
    std::vector<uint8_t> vertex;
    std::vector<uint8_t> fragment;
    if (fragmentPath.empty() || !readWholeFile(vertexPath, vertex) || !readWholeFile(fragmentPath, fragment)) {
        return ProgramHandle();
    }
    return createProgram(std::string(vertex.begin(), vertex.end()), std::string(fragment.begin(), fragment.end()),
                         vertexPath + " and " + fragmentPath);
}

}  // namespace gfx

namespace Game {

gfx::ProgramHandle loadShaderProgram(const std::string& vertexName, const std::string& fragmentName) {
    std::string vertexPath = "data/" + vertexName + ".vs.bin";
    std::string fragmentPath = "data/" + fragmentName + ".fs.bin";
    gfx::ProgramHandle program = gfx::createProgramFromFiles(vertexPath, fragmentPath);
    if (!program.valid()) {
        Util::fatal("Failed to create shader from: " + vertexPath + " and " + fragmentPath);
    }
    return program;
}

}  // namespace Game
