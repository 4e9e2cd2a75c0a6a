#include "Recipe.h"

#include <flatbuffers/flexbuffers.h>
#include <flatbuffers/idl.h>
#include <flatbuffers/util.h>

#include <set>
#include <stdexcept>

namespace SoundGen {

namespace {

using flexbuffers::Map;
using flexbuffers::Reference;

// Reads one JSON object, refusing keys it does not know so that a misspelt field is not silently
// left at its default.
class Fields {
public:
    Fields(Map map, std::string where, std::set<std::string> known) : m_map(map), m_where(std::move(where)) {
        const auto keys = map.Keys();
        for (size_t i = 0; i < keys.size(); ++i) {
            const std::string key = keys[i].AsKey();
            if (!known.count(key)) fail(key, "is not a known field");
        }
    }

    bool has(const char* key) const { return !m_map[key].IsNull(); }

    double number(const char* key, double fallback) const {
        const Reference value = m_map[key];
        if (value.IsNull()) return fallback;
        if (!value.IsNumeric()) fail(key, "is not a number");
        return value.AsDouble();
    }

    // A number, or a pair [from, to] for a value swept over the layer.
    std::pair<double, double> range(const char* key, double fallback) const {
        const Reference value = m_map[key];
        if (value.IsNull()) return {fallback, fallback};
        if (value.IsNumeric()) return {value.AsDouble(), value.AsDouble()};
        const auto pair = value.AsVector();
        if (!value.IsVector() || pair.size() != 2 || !pair[0].IsNumeric() || !pair[1].IsNumeric())
            fail(key, "is neither a number nor a pair of numbers");
        return {pair[0].AsDouble(), pair[1].AsDouble()};
    }

    bool flag(const char* key) const {
        const Reference value = m_map[key];
        if (value.IsNull()) return false;
        if (!value.IsBool()) fail(key, "is not true or false");
        return value.AsBool();
    }

    std::string text(const char* key) const {
        const Reference value = m_map[key];
        if (!value.IsString()) fail(key, "is missing or not a text");
        return value.AsString().str();
    }

    Map object(const char* key) const {
        const Reference value = m_map[key];
        if (!value.IsMap()) fail(key, "is missing or not an object");
        return value.AsMap();
    }

    flexbuffers::Vector list(const char* key) const {
        const Reference value = m_map[key];
        if (!value.IsVector() || value.IsMap()) fail(key, "is missing or not a list");
        return value.AsVector();
    }

    std::string where(const std::string& inner) const { return m_where + "." + inner; }

    [[noreturn]] void fail(const std::string& key, const std::string& problem) const {
        throw std::runtime_error(m_where + "." + key + " " + problem);
    }

private:
    Map m_map;
    std::string m_where;
};

Wave waveNamed(const Fields& fields) {
    if (!fields.has("wave")) return Wave::Sine;
    const std::string name = fields.text("wave");
    if (name == "sine") return Wave::Sine;
    if (name == "square") return Wave::Square;
    if (name == "saw") return Wave::Saw;
    if (name == "triangle") return Wave::Triangle;
    if (name == "noise") return Wave::Noise;
    fields.fail("wave", "\"" + name + "\" is not sine, square, saw, triangle or noise");
}

Echo readEcho(const Fields& fields) {
    const auto [delay, feedback] = fields.range("echo", 0.0);
    if (feedback < 0.0 || feedback >= 1.0) fields.fail("echo", "needs a feedback in [0, 1)");
    return {delay, feedback};
}

Layer readLayer(Map map, const std::string& where) {
    const Fields fields(map, where,
                        {"wave", "start", "length", "freq", "duty", "attack", "hold", "curve", "gain", "vibrato",
                         "tremolo", "lowpass", "resonance", "highpass", "drive", "repeat", "every"});
    Layer layer;
    layer.wave = waveNamed(fields);
    layer.start = fields.number("start", 0.0);
    layer.length = fields.number("length", 0.0);
    std::tie(layer.freqFrom, layer.freqTo) = fields.range("freq", layer.wave == Wave::Noise ? 0.0 : 440.0);
    layer.duty = fields.number("duty", 0.5);
    layer.attack = fields.number("attack", 0.002);
    layer.hold = fields.number("hold", 0.0);
    layer.curve = fields.number("curve", 1.0);
    layer.gain = fields.number("gain", 1.0);
    std::tie(layer.vibratoRate, layer.vibratoDepth) = fields.range("vibrato", 0.0);
    std::tie(layer.tremoloRate, layer.tremoloDepth) = fields.range("tremolo", 0.0);
    std::tie(layer.lowpassFrom, layer.lowpassTo) = fields.range("lowpass", 0.0);
    layer.resonance = fields.number("resonance", 0.707);
    layer.highpass = fields.number("highpass", 0.0);
    layer.drive = fields.number("drive", 0.0);
    layer.repeat = static_cast<int>(fields.number("repeat", 1.0));
    layer.every = fields.number("every", 0.0);

    if (layer.start < 0.0 || layer.length < 0.0) fields.fail("start", "and length must not be negative");
    if (layer.wave != Wave::Noise && (layer.freqFrom <= 0.0 || layer.freqTo <= 0.0))
        fields.fail("freq", "must be above 0");
    if ((layer.lowpassFrom > 0.0) != (layer.lowpassTo > 0.0))
        fields.fail("lowpass", "must be above 0 at both ends, or absent");
    if (layer.repeat < 1 || (layer.repeat > 1 && layer.every <= 0.0))
        fields.fail("repeat", "needs a count of at least 1, and a positive \"every\" for more");
    if (layer.duty <= 0.0 || layer.duty >= 1.0) fields.fail("duty", "must lie between 0 and 1");
    return layer;
}

std::vector<Layer> readLayers(const Fields& fields) {
    std::vector<Layer> layers;
    const auto list = fields.list("layers");
    for (size_t i = 0; i < list.size(); ++i) {
        if (!list[i].IsMap()) fields.fail("layers[" + std::to_string(i) + "]", "is not an object");
        layers.push_back(readLayer(list[i].AsMap(), fields.where("layers[" + std::to_string(i) + "]")));
    }
    if (layers.empty()) fields.fail("layers", "is empty");
    return layers;
}

Effect readEffect(Map map, const std::string& where) {
    const Fields fields(map, where, {"file", "length", "loop", "echo", "layers", "what"});
    Effect effect;
    effect.file = fields.text("file");
    effect.length = fields.number("length", 0.0);
    effect.loop = fields.flag("loop");
    effect.echo = readEcho(fields);
    effect.layers = readLayers(fields);
    if (effect.length <= 0.0) fields.fail("length", "must be above 0");
    return effect;
}

Instrument readInstrument(Map map, const std::string& where) {
    const Fields fields(map, where, {"layers", "gain", "pan", "echo"});
    Instrument instrument;
    instrument.layers = readLayers(fields);
    instrument.gain = fields.number("gain", 1.0);
    instrument.pan = fields.number("pan", 0.0);
    instrument.echo = readEcho(fields);
    return instrument;
}

Pattern readPattern(const flexbuffers::Vector& lines, const std::string& where) {
    Pattern pattern;
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto line = lines[i].AsVector();
        if (!lines[i].IsVector() || line.size() != 2 || !line[0].IsString() || !line[1].IsString())
            throw std::runtime_error(where + "[" + std::to_string(i) + "] is not a pair [instrument, notes]");
        pattern.emplace_back(line[0].AsString().str(), line[1].AsString().str());
    }
    return pattern;
}

Piece readPiece(Map map, const std::string& where) {
    const Fields fields(map, where,
                        {"file", "loop", "tempo", "steps_per_beat", "steps_per_bar", "tail", "instruments", "patterns",
                         "song", "what"});
    Piece piece;
    piece.file = fields.text("file");
    piece.loop = fields.flag("loop");
    piece.tempo = fields.number("tempo", 120.0);
    piece.stepsPerBeat = static_cast<int>(fields.number("steps_per_beat", 4.0));
    piece.stepsPerBar = static_cast<int>(fields.number("steps_per_bar", 16.0));
    piece.tail = fields.number("tail", 0.0);
    if (piece.tempo <= 0.0 || piece.stepsPerBeat < 1 || piece.stepsPerBar < 1)
        fields.fail("tempo", "and the step counts must be above 0");

    const Map instruments = fields.object("instruments");
    for (size_t i = 0; i < instruments.size(); ++i) {
        const std::string name = instruments.Keys()[i].AsKey();
        piece.instruments.emplace_back(
            name, readInstrument(instruments.Values()[i].AsMap(), fields.where("instruments." + name)));
    }
    const Map patterns = fields.object("patterns");
    for (size_t i = 0; i < patterns.size(); ++i) {
        const std::string name = patterns.Keys()[i].AsKey();
        piece.patterns.emplace_back(name,
                                    readPattern(patterns.Values()[i].AsVector(), fields.where("patterns." + name)));
    }
    const auto song = fields.list("song");
    for (size_t bar = 0; bar < song.size(); ++bar) {
        std::vector<std::string> names;
        const auto list = song[bar].AsVector();
        for (size_t i = 0; i < list.size(); ++i) names.push_back(list[i].AsString().str());
        piece.song.push_back(names);
    }
    if (piece.song.empty()) fields.fail("song", "is empty");
    return piece;
}

}  // namespace

Recipes readRecipes(const std::string& path) {
    std::string text;
    if (!flatbuffers::LoadFile(path.c_str(), false, &text)) throw std::runtime_error(path + ": cannot be read");
    flatbuffers::Parser parser;
    flexbuffers::Builder builder;
    if (!parser.ParseFlexBuffer(text.c_str(), path.c_str(), &builder)) throw std::runtime_error(parser.error_);
    const Fields root(flexbuffers::GetRoot(builder.GetBuffer()).AsMap(), path, {"sample_rate", "effects", "pieces"});
    Recipes recipes;
    recipes.sampleRate = static_cast<int>(root.number("sample_rate", 44100.0));
    const auto effects = root.list("effects");
    for (size_t i = 0; i < effects.size(); ++i)
        recipes.effects.push_back(readEffect(effects[i].AsMap(), path + ": effects[" + std::to_string(i) + "]"));
    const auto pieces = root.list("pieces");
    for (size_t i = 0; i < pieces.size(); ++i)
        recipes.pieces.push_back(readPiece(pieces[i].AsMap(), path + ": pieces[" + std::to_string(i) + "]"));
    return recipes;
}

}  // namespace SoundGen
