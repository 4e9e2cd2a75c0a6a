#include "engine/vector/DrawingFactory.h"

#include <fstream>

#include "engine/util/Fatal.h"

namespace Vector {

DrawingFactory::DrawingFactory(const std::string& schemaPath) {
    if (!std::ifstream(schemaPath) || !m_schema.loadSchema(schemaPath)) {
        Util::fatal("Failed to load: " + schemaPath);
    }
}

std::unique_ptr<DrawingLibrary> DrawingFactory::create(const std::string& dataName) const {
    return std::make_unique<DrawingLibrary>(m_schema.getParser(), dataName);
}

}  // namespace Vector
