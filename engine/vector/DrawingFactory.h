#pragma once

// Makes animated drawings: holds the drawing schema, parsed once, and loads drawing data files
// against it.

#include <memory>
#include <string>

#include "engine/data/Info.h"
#include "engine/vector/DrawingLibrary.h"

namespace Vector {

class DrawingFactory {
public:
    // Loads the schema ("data/VectorDrawing.fbs"), its folder serving for includes. A schema
    // that cannot be read or parsed stops the process with "Failed to load: " and the path.
    explicit DrawingFactory(const std::string& schemaPath);
    virtual ~DrawingFactory() = default;

    // A drawing loaded from the data name ("data/intro": ".fb" or ".json" is found).
    std::unique_ptr<DrawingLibrary> create(const std::string& dataName) const;

private:
    Game::Info m_schema;
};

}  // namespace Vector
