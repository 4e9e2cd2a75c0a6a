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
        const auto l_keys = map.Keys();
        for (size_t l_i = 0; l_i < l_keys.size(); ++l_i) {
            const std::string l_key = l_keys[l_i].AsKey();
            if (!known.count(l_key)) fail(l_key, "is not a known field");
        }
    }

    bool has(const char* key) const { return !m_map[key].IsNull(); }

    double number(const char* key, double fallback) const {
        const Reference l_value = m_map[key];
        if (l_value.IsNull()) return fallback;
        if (!l_value.IsNumeric()) fail(key, "is not a number");
        return l_value.AsDouble();
    }

    // A number, or a pair [from, to] for a value swept over the layer.
    std::pair<double, double> range(const char* key, double fallback) const {
        const Reference l_value = m_map[key];
        if (l_value.IsNull()) return {fallback, fallback};
        if (l_value.IsNumeric()) return {l_value.AsDouble(), l_value.AsDouble()};
        const auto l_pair = l_value.AsVector();
        if (!l_value.IsVector() || l_pair.size() != 2 || !l_pair[0].IsNumeric() || !l_pair[1].IsNumeric())
            fail(key, "is neither a number nor a pair of numbers");
        return {l_pair[0].AsDouble(), l_pair[1].AsDouble()};
    }

    bool flag(const char* key) const {
        const Reference l_value = m_map[key];
        if (l_value.IsNull()) return false;
        if (!l_value.IsBool()) fail(key, "is not true or false");
        return l_value.AsBool();
    }

    std::string text(const char* key) const {
        const Reference l_value = m_map[key];
        if (!l_value.IsString()) fail(key, "is missing or not a text");
        return l_value.AsString().str();
    }

    Map object(const char* key) const {
        const Reference l_value = m_map[key];
        if (!l_value.IsMap()) fail(key, "is missing or not an object");
        return l_value.AsMap();
    }

    flexbuffers::Vector list(const char* key) const {
        const Reference l_value = m_map[key];
        if (!l_value.IsVector() || l_value.IsMap()) fail(key, "is missing or not a list");
        return l_value.AsVector();
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
    const std::string l_name = fields.text("wave");
    if (l_name == "sine") return Wave::Sine;
    if (l_name == "square") return Wave::Square;
    if (l_name == "saw") return Wave::Saw;
    if (l_name == "triangle") return Wave::Triangle;
    if (l_name == "noise") return Wave::Noise;
    fields.fail("wave", "\"" + l_name + "\" is not sine, square, saw, triangle or noise");
}

Echo readEcho(const Fields& fields) {
    const auto [l_delay, l_feedback] = fields.range("echo", 0.0);
    if (l_feedback < 0.0 || l_feedback >= 1.0) fields.fail("echo", "needs a feedback in [0, 1)");
    return {l_delay, l_feedback};
}

Layer readLayer(Map map, const std::string& where) {
    const Fields l_fields(map, where,
                          {"wave", "start", "length", "freq", "duty", "attack", "hold", "curve", "gain", "vibrato",
                           "tremolo", "lowpass", "resonance", "highpass", "drive", "repeat", "every"});
    Layer l_layer;
    l_layer.wave = waveNamed(l_fields);
    l_layer.start = l_fields.number("start", 0.0);
    l_layer.length = l_fields.number("length", 0.0);
    std::tie(l_layer.freqFrom, l_layer.freqTo) = l_fields.range("freq", l_layer.wave == Wave::Noise ? 0.0 : 440.0);
    l_layer.duty = l_fields.number("duty", 0.5);
    l_layer.attack = l_fields.number("attack", 0.002);
    l_layer.hold = l_fields.number("hold", 0.0);
    l_layer.curve = l_fields.number("curve", 1.0);
    l_layer.gain = l_fields.number("gain", 1.0);
    std::tie(l_layer.vibratoRate, l_layer.vibratoDepth) = l_fields.range("vibrato", 0.0);
    std::tie(l_layer.tremoloRate, l_layer.tremoloDepth) = l_fields.range("tremolo", 0.0);
    std::tie(l_layer.lowpassFrom, l_layer.lowpassTo) = l_fields.range("lowpass", 0.0);
    l_layer.resonance = l_fields.number("resonance", 0.707);
    l_layer.highpass = l_fields.number("highpass", 0.0);
    l_layer.drive = l_fields.number("drive", 0.0);
    l_layer.repeat = static_cast<int>(l_fields.number("repeat", 1.0));
    l_layer.every = l_fields.number("every", 0.0);

    if (l_layer.start < 0.0 || l_layer.length < 0.0) l_fields.fail("start", "and length must not be negative");
    if (l_layer.wave != Wave::Noise && (l_layer.freqFrom <= 0.0 || l_layer.freqTo <= 0.0))
        l_fields.fail("freq", "must be above 0");
    if ((l_layer.lowpassFrom > 0.0) != (l_layer.lowpassTo > 0.0))
        l_fields.fail("lowpass", "must be above 0 at both ends, or absent");
    if (l_layer.repeat < 1 || (l_layer.repeat > 1 && l_layer.every <= 0.0))
        l_fields.fail("repeat", "needs a count of at least 1, and a positive \"every\" for more");
    if (l_layer.duty <= 0.0 || l_layer.duty >= 1.0) l_fields.fail("duty", "must lie between 0 and 1");
    return l_layer;
}

std::vector<Layer> readLayers(const Fields& fields) {
    std::vector<Layer> l_layers;
    const auto l_list = fields.list("layers");
    for (size_t l_i = 0; l_i < l_list.size(); ++l_i) {
        if (!l_list[l_i].IsMap()) fields.fail("layers[" + std::to_string(l_i) + "]", "is not an object");
        l_layers.push_back(readLayer(l_list[l_i].AsMap(), fields.where("layers[" + std::to_string(l_i) + "]")));
    }
    if (l_layers.empty()) fields.fail("layers", "is empty");
    return l_layers;
}

Effect readEffect(Map map, const std::string& where) {
    const Fields l_fields(map, where, {"file", "length", "loop", "echo", "layers", "what"});
    Effect l_effect;
    l_effect.file = l_fields.text("file");
    l_effect.length = l_fields.number("length", 0.0);
    l_effect.loop = l_fields.flag("loop");
    l_effect.echo = readEcho(l_fields);
    l_effect.layers = readLayers(l_fields);
    if (l_effect.length <= 0.0) l_fields.fail("length", "must be above 0");
    return l_effect;
}

Instrument readInstrument(Map map, const std::string& where) {
    const Fields l_fields(map, where, {"layers", "gain", "pan", "echo"});
    Instrument l_instrument;
    l_instrument.layers = readLayers(l_fields);
    l_instrument.gain = l_fields.number("gain", 1.0);
    l_instrument.pan = l_fields.number("pan", 0.0);
    l_instrument.echo = readEcho(l_fields);
    return l_instrument;
}

Pattern readPattern(const flexbuffers::Vector& lines, const std::string& where) {
    Pattern l_pattern;
    for (size_t l_i = 0; l_i < lines.size(); ++l_i) {
        const auto l_line = lines[l_i].AsVector();
        if (!lines[l_i].IsVector() || l_line.size() != 2 || !l_line[0].IsString() || !l_line[1].IsString())
            throw std::runtime_error(where + "[" + std::to_string(l_i) + "] is not a pair [instrument, notes]");
        l_pattern.emplace_back(l_line[0].AsString().str(), l_line[1].AsString().str());
    }
    return l_pattern;
}

Piece readPiece(Map map, const std::string& where) {
    const Fields l_fields(map, where,
                          {"file", "loop", "tempo", "steps_per_beat", "steps_per_bar", "tail", "instruments",
                           "patterns", "song", "what"});
    Piece l_piece;
    l_piece.file = l_fields.text("file");
    l_piece.loop = l_fields.flag("loop");
    l_piece.tempo = l_fields.number("tempo", 120.0);
    l_piece.stepsPerBeat = static_cast<int>(l_fields.number("steps_per_beat", 4.0));
    l_piece.stepsPerBar = static_cast<int>(l_fields.number("steps_per_bar", 16.0));
    l_piece.tail = l_fields.number("tail", 0.0);
    if (l_piece.tempo <= 0.0 || l_piece.stepsPerBeat < 1 || l_piece.stepsPerBar < 1)
        l_fields.fail("tempo", "and the step counts must be above 0");

    const Map l_instruments = l_fields.object("instruments");
    for (size_t l_i = 0; l_i < l_instruments.size(); ++l_i) {
        const std::string l_name = l_instruments.Keys()[l_i].AsKey();
        l_piece.instruments.emplace_back(
            l_name, readInstrument(l_instruments.Values()[l_i].AsMap(), l_fields.where("instruments." + l_name)));
    }
    const Map l_patterns = l_fields.object("patterns");
    for (size_t l_i = 0; l_i < l_patterns.size(); ++l_i) {
        const std::string l_name = l_patterns.Keys()[l_i].AsKey();
        l_piece.patterns.emplace_back(
            l_name, readPattern(l_patterns.Values()[l_i].AsVector(), l_fields.where("patterns." + l_name)));
    }
    const auto l_song = l_fields.list("song");
    for (size_t l_bar = 0; l_bar < l_song.size(); ++l_bar) {
        std::vector<std::string> l_names;
        const auto l_list = l_song[l_bar].AsVector();
        for (size_t l_i = 0; l_i < l_list.size(); ++l_i) l_names.push_back(l_list[l_i].AsString().str());
        l_piece.song.push_back(l_names);
    }
    if (l_piece.song.empty()) l_fields.fail("song", "is empty");
    return l_piece;
}

}  // namespace

Recipes readRecipes(const std::string& path) {
    std::string l_text;
    if (!flatbuffers::LoadFile(path.c_str(), false, &l_text)) throw std::runtime_error(path + ": cannot be read");
    flatbuffers::Parser l_parser;
    flexbuffers::Builder l_builder;
    if (!l_parser.ParseFlexBuffer(l_text.c_str(), path.c_str(), &l_builder)) throw std::runtime_error(l_parser.error_);
    const Fields l_root(flexbuffers::GetRoot(l_builder.GetBuffer()).AsMap(), path,
                        {"sample_rate", "effects", "pieces"});
    Recipes l_recipes;
    l_recipes.sampleRate = static_cast<int>(l_root.number("sample_rate", 44100.0));
    const auto l_effects = l_root.list("effects");
    for (size_t l_i = 0; l_i < l_effects.size(); ++l_i)
        l_recipes.effects.push_back(
            readEffect(l_effects[l_i].AsMap(), path + ": effects[" + std::to_string(l_i) + "]"));
    const auto l_pieces = l_root.list("pieces");
    for (size_t l_i = 0; l_i < l_pieces.size(); ++l_i)
        l_recipes.pieces.push_back(readPiece(l_pieces[l_i].AsMap(), path + ": pieces[" + std::to_string(l_i) + "]"));
    return l_recipes;
}

}  // namespace SoundGen
