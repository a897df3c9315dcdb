#include "resources/Settings.h"

#include <cstdio>
#include <cstring>
#include <fstream>

namespace
{
// Keys and values longer than their fields are cut, never overflowed.
template <size_t N>
void copyField(char (&field)[N], const std::string& text)
{
    size_t n = text.size() < N - 1 ? text.size() : N - 1;
    std::memcpy(field, text.data(), n);
    field[n] = '\0';
}
} // namespace

Settings::Settings() = default;

Settings::~Settings()
{
    for (SettingsEntry* entry : entries)
        delete entry;
}

void Settings::load(const std::string& path)
{
    std::ifstream file(path);
    if (!file)
        return;
    std::string line;
    while (std::getline(file, line))
    {
        if (line.compare(0, 2, "//") == 0 || line.size() < 3)
            continue;
        size_t e = line.find('=');
        std::string key = e == std::string::npos ? line : line.substr(0, e);
        std::string value = e == std::string::npos ? line : line.substr(e + 1);
        if (line.find('\r') != std::string::npos && !value.empty())
            value.pop_back();
        SettingsEntry* entry = new SettingsEntry();
        copyField(entry->key, key);
        copyField(entry->value, value);
        entries.push_back(entry);
    }
}

void Settings::save(const std::string& path) const
{
    FILE* file = std::fopen(path.c_str(), "w");
    if (!file)
        return;
    for (const SettingsEntry* entry : entries)
        std::fprintf(file, "%s=%s\n", entry->key, entry->value);
    std::fclose(file);
}

std::string Settings::get(const std::string& key) const
{
    for (const SettingsEntry* entry : entries)
        if (key == entry->key)
            return entry->value;
    return "";
}

bool Settings::equals(const std::string& key, const std::string& text) const
{
    return get(key) == text;
}

void Settings::set(const std::string& key, const std::string& value)
{
    for (SettingsEntry* entry : entries)
        if (key == entry->key)
            copyField(entry->value, value);
}

void Settings::setInt(const std::string& key, int value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof(buffer), "%d", value);
    set(key, buffer);
}

void Settings::toggle(const std::string& key)
{
    set(key, equals(key, "true") ? "false" : "true");
}
