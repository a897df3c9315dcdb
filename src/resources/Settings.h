#ifndef QUILLFENN_RESOURCES_SETTINGS_H
#define QUILLFENN_RESOURCES_SETTINGS_H

#include <string>
#include <vector>

// One key=value line of conf.dat.
struct SettingsEntry
{
    char key[32] = {};
    char value[128] = {};
};

// The key=value store behind conf.dat. It never invents keys: a key exists
// only when the file had it, and an absent key reads as "".
class Settings
{
public:
    Settings();
    ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    // Appends one entry per accepted line of the file; a missing file adds none.
    void load(const std::string& path);

    // Rewrites the file with every entry as key=value.
    void save(const std::string& path) const;

    // The value of the first entry with the key, or "".
    std::string get(const std::string& key) const;

    // get(key) is exactly text.
    bool equals(const std::string& key, const std::string& text) const;

    // Copies the value into every entry with the key; absent keys stay absent.
    void set(const std::string& key, const std::string& value);

    // set() with the integer formatted as "%d".
    void setInt(const std::string& key, int value);

    // "true" becomes "false", anything else "true".
    void toggle(const std::string& key);

    // The entries in file order.
    const std::vector<SettingsEntry*>& getEntries() const { return entries; }

private:
    std::vector<SettingsEntry*> entries;
};

#endif
