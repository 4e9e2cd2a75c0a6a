#pragma once
#include <flatbuffers/flatbuffers.h>

#include <map>
#include <string>
#include <vector>

#include "engine/data/Info.h"
#include "engine/input/InputController.h"

namespace Zelmo {

namespace Access {
struct TimingSettings;
struct TriggerList;
}  // namespace Access

// What the accessibility file lends the input configurations while they load: timing records
// built from its menu and game settings, its named trigger lists and its text aliases.
class GlobalInputRefs : public Input::InputController::IRefs {
public:
    // The names of the records made from one settings table, each after its prefix.
    static const std::vector<std::string>& repeatModeNames();

    // False, with the reason in loadError, when the schema or the data does not parse or a time
    // of the menu or game settings is not 1 to 60000 ms (the debounce time 0 to 60000 ms; an
    // unreadable file is a fatal stop).
    bool load(const std::string& schemaPath, const std::string& dataPath);
    // Why the last load failed, naming the file and the line or field; empty after a success.
    const std::string& loadError() const { return m_loadError; }
    // The six records of repeatModeNames, from a settings table (null reads as the schema's
    // defaults: 0, but for the debounce time); each carries the table's debounce time.
    void addRepeatModes(const std::string& prefix, const Access::TimingSettings* settings);
    // Replaces any record of the name.
    void addRepeatRecord(const std::string& name, int dwell, int repeat, int hold, int holdRepeat, int debounce = 0);
    // Appends to any list of the same name.
    void addNamedList(const Access::TriggerList& list);

    const Input::Config::TimingDef* getRepeat(const std::string& name) override;
    const Input::Config::TriggerDef* getListItem(const std::string& name, int index) override;
    int getListSize(const std::string& name) override;
    std::string getString(const std::string& key) override;

private:
    std::map<std::string, flatbuffers::DetachedBuffer> m_repeats;
    // The tables live in m_data.
    std::map<std::string, std::vector<const Input::Config::TriggerDef*>> m_lists;
    std::map<std::string, std::string> m_aliases;
    Game::Info m_data;
    std::string m_loadError;
};

}  // namespace Zelmo
