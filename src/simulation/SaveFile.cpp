#include "simulation/SaveFile.h"

#include "simulation/BuildingKinds.h"
#include "simulation/City.h"
#include "simulation/Tile.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace
{
// A field of a building record's own line: a whole number or a real, and
// whether it counts something (a count below 0 is refused).
struct RecordField
{
    int SavedRecord::*whole;
    double SavedRecord::*real;
    bool count;
};

RecordField wholeField(int SavedRecord::*member)
{
    return {member, nullptr, false};
}

RecordField countField(int SavedRecord::*member)
{
    return {member, nullptr, true};
}

RecordField realField(double SavedRecord::*member)
{
    return {nullptr, member, false};
}

// The line a record kind adds after the "base building" line.
struct RecordKind
{
    const char* name;
    std::vector<RecordField> fields;
};

const RecordKind& houseKind()
{
    static const RecordKind kind = {
        "house",
        {wholeField(&SavedRecord::level), countField(&SavedRecord::capacity),
         wholeField(&SavedRecord::shoppingDemand), wholeField(&SavedRecord::waterDemand),
         wholeField(&SavedRecord::jobDemand), wholeField(&SavedRecord::rentOffset),
         countField(&SavedRecord::residents), wholeField(&SavedRecord::shownNeeds), realField(&SavedRecord::growth),
         realField(&SavedRecord::shownAttractiveness), realField(&SavedRecord::sickness),
         realField(&SavedRecord::fireDamage)}};
    return kind;
}

const RecordKind& shopKind()
{
    static const RecordKind kind = {"shop",
                                    {wholeField(&SavedRecord::level), countField(&SavedRecord::customers),
                                     countField(&SavedRecord::capacity), countField(&SavedRecord::range)}};
    return kind;
}

const RecordKind& waterKind()
{
    static const RecordKind kind = {"water",
                                    {countField(&SavedRecord::supplied), countField(&SavedRecord::capacity),
                                     countField(&SavedRecord::range)}};
    return kind;
}

const RecordKind& factoryKind()
{
    static const RecordKind kind = {"factory",
                                    {countField(&SavedRecord::workers), countField(&SavedRecord::jobs),
                                     countField(&SavedRecord::range), realField(&SavedRecord::efficiency),
                                     wholeField(&SavedRecord::goodsType)}};
    return kind;
}

const RecordKind& commercialKind()
{
    static const RecordKind kind = {"commercial",
                                    {countField(&SavedRecord::workers), countField(&SavedRecord::jobs),
                                     countField(&SavedRecord::range)}};
    return kind;
}

const RecordKind& landfillKind()
{
    static const RecordKind kind = {"landfill",
                                    {realField(&SavedRecord::fill), countField(&SavedRecord::capacity)}};
    return kind;
}

// The own line of a tile type's record; null for the services, whose record
// is the head alone, and for the types that have none.
const RecordKind* kindOf(int type)
{
    switch (recordOfType(type))
    {
    case RecordHouse:
        return &houseKind();
    case RecordShop:
        return &shopKind();
    case RecordWater:
        return &waterKind();
    case RecordFactory:
        return &factoryKind();
    case RecordOffice:
        return &commercialKind();
    case RecordLandfill:
        return &landfillKind();
    default:
        return nullptr;
    }
}

bool typeHasRecord(int type)
{
    return recordOfType(type) != RecordNone;
}

const int lastTileType = TileTypeCount - 1;
const int lastFacing = 4;
const int lastActionId = ActionCount - 1;
const int lastGoodsType = 2;

const char* const bookNames[SaveFile::BookCount] = {
    "current year incomes",  "current year expenses",  "last year incomes",  "last year expenses",
    "current month incomes", "current month expenses", "last month incomes", "last month expenses"};

// Builds the text one line at a time: fields joined by ",", then the
// terminator naming the line.
class LineWriter
{
public:
    explicit LineWriter(std::string& into) : out(into) {}

    void whole(int value)
    {
        separate();
        char buffer[16];
        std::to_chars_result r = std::to_chars(buffer, buffer + sizeof(buffer), value);
        out.append(buffer, r.ptr);
    }

    // The shortest text that reads back as the very same double.
    void real(double value)
    {
        if (std::isnan(value))
            value = 0.0;
        value = std::max(-SaveFile::MaxReal, std::min(SaveFile::MaxReal, value));
        separate();
        char buffer[32];
        std::to_chars_result r = std::to_chars(buffer, buffer + sizeof(buffer), value);
        out.append(buffer, r.ptr);
    }

    void flag(bool value) { whole(value ? 1 : 0); }

    void reals(const double* values, int count)
    {
        for (int i = 0; i < count; ++i)
            real(values[i]);
    }

    void end(const char* name)
    {
        out += ", /* ";
        out += name;
        out += " */\n";
        first = true;
    }

private:
    void separate()
    {
        if (!first)
            out += ',';
        first = false;
    }

    std::string& out;
    bool first = true;
};

void writeRecord(LineWriter& line, int type, const SavedRecord& record)
{
    line.whole(record.baseIncome);
    line.real(record.lastIncome);
    line.real(record.pendingIncome);
    line.real(record.wastePerDay);
    line.end("base building");
    const RecordKind* kind = kindOf(type);
    if (!kind)
        return;
    for (const RecordField& field : kind->fields)
    {
        if (field.whole)
            line.whole(record.*field.whole);
        else
            line.real(record.*field.real);
    }
    line.end(kind->name);
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// A field as the player may see it in a message: short, and only plain
// characters (the text widget reads braces and angle brackets as markup).
std::string shown(std::string_view field)
{
    std::string text;
    for (char c : field.substr(0, 16))
    {
        bool plain = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '.' ||
                     c == '-' || c == '+' || c == ' ';
        text += plain ? c : '?';
    }
    if (field.size() > 16)
        text += "...";
    return text;
}

// Walks the text line by line and reads each line's fields, refusing what
// the writer could not have written: a missing or foreign terminator, too
// few fields, a field that is not a number in full.
class LineReader
{
public:
    explicit LineReader(const std::string& source) : text(source) {}

    // Reads the next line as the named record with at least count fields.
    bool next(const std::string& name, size_t count)
    {
        lineName = name;
        if (!takeLine())
        {
            ++lineNumber;
            return fail("the file ends where the \"" + name + "\" line should be");
        }
        std::string_view found;
        if (!splitLine(found))
            return fail("the \"" + name + "\" line is cut short or damaged");
        if (found != name)
            return fail("a \"" + name + "\" line was expected, not \"" + shown(found) + "\"");
        if (fields.size() < count)
            return fail("the \"" + name + "\" line has " + std::to_string(fields.size()) + " of its " +
                        std::to_string(count) + " fields");
        return true;
    }

    // Field i as a whole number of int range.
    bool whole(size_t i, int& value)
    {
        std::string_view field = trimmed(fields[i]);
        long long parsed = 0;
        if (field.size() > 1 && field.front() == '+')
            field.remove_prefix(1);
        std::from_chars_result r = std::from_chars(field.data(), field.data() + field.size(), parsed);
        if (field.empty() || r.ec != std::errc() || r.ptr != field.data() + field.size())
            return badField(i, "is not a whole number");
        if (parsed < INT_MIN || parsed > INT_MAX)
            return badField(i, "is out of range");
        value = static_cast<int>(parsed);
        return true;
    }

    // Field i as a real number, read as atof reads it, but only when the
    // whole field is that number.
    bool real(size_t i, double& value)
    {
        std::string_view field = trimmed(fields[i]);
        if (field.empty() || field.size() > 64)
            return badField(i, "is not a number");
        char buffer[65];
        field.copy(buffer, field.size());
        buffer[field.size()] = '\0';
        char* end = nullptr;
        double parsed = std::strtod(buffer, &end);
        if (end != buffer + field.size())
            return badField(i, "is not a number");
        if (!std::isfinite(parsed) || std::fabs(parsed) > SaveFile::MaxReal)
            return badField(i, "is out of range");
        value = parsed;
        return true;
    }

    // Field i as a real number from low to high.
    bool rangedReal(size_t i, double& value, double low, double high)
    {
        if (!real(i, value))
            return false;
        if (!(value >= low && value <= high))
            return badField(i, "is out of range");
        return true;
    }

    bool reals(size_t first, double* values, int count)
    {
        for (int i = 0; i < count; ++i)
            if (!real(first + i, values[i]))
                return false;
        return true;
    }

    bool flag(size_t i, bool& value)
    {
        int parsed = 0;
        if (!whole(i, parsed))
            return false;
        value = parsed != 0;
        return true;
    }

    // Field i as a whole number from low to high.
    bool ranged(size_t i, int& value, int low, int high)
    {
        if (!whole(i, value))
            return false;
        if (value < low || value > high)
            return badField(i, "is out of range");
        return true;
    }

    // True when nothing but blank lines is left.
    bool atEnd()
    {
        while (takeLine())
        {
            if (!trimmed(line).empty())
                return false;
        }
        return true;
    }

    bool fail(const std::string& why)
    {
        error = why;
        return false;
    }

    int lineNumber = 0;
    std::string error;

private:
    bool takeLine()
    {
        if (position >= text.size())
            return false;
        size_t newline = text.find('\n', position);
        size_t stop = newline == std::string::npos ? text.size() : newline;
        line = std::string_view(text).substr(position, stop - position);
        position = newline == std::string::npos ? text.size() : newline + 1;
        ++lineNumber;
        return true;
    }

    // Cuts the terminator ", /* name */" off the line and splits the rest.
    bool splitLine(std::string_view& name)
    {
        std::string_view rest = trimmed(line);
        if (rest.size() < 4 || rest.substr(rest.size() - 2) != "*/")
            return false;
        size_t open = rest.rfind("/*", rest.size() - 4);
        if (open == std::string_view::npos)
            return false;
        name = trimmed(rest.substr(open + 2, rest.size() - 2 - (open + 2)));
        std::string_view head = trimmed(rest.substr(0, open));
        if (head.empty() || head.back() != ',')
            return false;
        head.remove_suffix(1);
        fields.clear();
        size_t start = 0;
        while (start < head.size())
        {
            size_t comma = head.find(',', start);
            size_t stop = comma == std::string_view::npos ? head.size() : comma;
            fields.push_back(head.substr(start, stop - start));
            start = stop + 1;
            if (comma != std::string_view::npos && start == head.size())
                fields.push_back(std::string_view());
        }
        return true;
    }

    bool badField(size_t i, const char* why)
    {
        return fail("field " + std::to_string(i + 1) + " of the \"" + lineName + "\" line " + why + ": \"" +
                    shown(fields[i]) + "\"");
    }

    const std::string& text;
    size_t position = 0;
    std::string_view line;
    std::vector<std::string_view> fields;
    std::string lineName;
};

// Reads the record lines of a tile whose record field is set.
bool readRecord(LineReader& in, SavedTile& tile)
{
    SavedRecord& record = tile.record;
    if (!in.next("base building", 4) || !in.whole(0, record.baseIncome) || !in.real(1, record.lastIncome) ||
        !in.real(2, record.pendingIncome) || !in.real(3, record.wastePerDay))
        return false;
    const RecordKind* kind = kindOf(tile.type);
    if (!kind)
        return true;
    if (!in.next(kind->name, kind->fields.size()))
        return false;
    for (size_t i = 0; i < kind->fields.size(); ++i)
    {
        const RecordField& field = kind->fields[i];
        if (field.real)
        {
            if (!in.real(i, record.*field.real))
                return false;
        }
        else if (!(field.count ? in.ranged(i, record.*field.whole, 0, INT_MAX) : in.whole(i, record.*field.whole)))
            return false;
    }
    // Levels and goods pick sprites and table slots: only the game's own are kept.
    if ((tile.type == TileHouse || tile.type == TileShop) && (record.level < 1 || record.level > 3))
        return in.fail("a " + std::string(kind->name) + " of level " + std::to_string(record.level) +
                       " does not exist");
    if (tile.type == TileFactory && (record.goodsType < 0 || record.goodsType > lastGoodsType))
        return in.fail("a factory making goods of kind " + std::to_string(record.goodsType) + " does not exist");
    // Houses never grow past their room, nor landfills past their capacity;
    // no house holds more than the population of the largest map can sum.
    if (tile.type == TileHouse && record.capacity > SaveFile::MaxResidents)
        return in.fail("a house for " + std::to_string(record.capacity) + " residents is far larger than any");
    if (tile.type == TileHouse && record.residents > record.capacity)
        return in.fail("a house for " + std::to_string(record.capacity) + " cannot hold " +
                       std::to_string(record.residents) + " residents");
    // Ranges are added to tile positions: one beyond the largest map reaches nothing more.
    if (record.range > SaveFile::MaxRange)
        return in.fail("a range of " + std::to_string(record.range) + " tiles reaches beyond any map");
    if (tile.type == TileLandfill && !(record.fill >= 0.0 && record.fill <= record.capacity))
        return in.fail("a landfill for " + std::to_string(record.capacity) + " cannot be filled that far");
    return true;
}

bool readTile(LineReader& in, SavedTile& tile)
{
    if (!in.next("tile", 10) || !in.whole(0, tile.x) || !in.whole(1, tile.y) ||
        !in.ranged(2, tile.type, 0, lastTileType) || !in.ranged(3, tile.facing, 0, lastFacing) ||
        !in.flag(4, tile.revealed) || !in.real(5, tile.crime) || !in.real(6, tile.fireSafety) ||
        !in.real(7, tile.health) || !in.flag(8, tile.burning) || !in.flag(9, tile.hasRecord))
        return false;
    if (!tile.hasRecord)
    {
        // Every kind of building is made with its record; one without cannot be run.
        if (typeHasRecord(tile.type))
            return in.fail("a building of type " + std::to_string(tile.type) + " has no building record");
        return true;
    }
    if (!readRecord(in, tile))
        return false;
    // An empty tile, tree, road, park or rubble marked with a record: the
    // format gives it only the head, and a tile of that type never keeps one
    // (building it drops the old record), so it loads without a record.
    if (!typeHasRecord(tile.type))
        tile.hasRecord = false;
    return true;
}

// The save version, the date and action line and the city info.
bool readHeader(LineReader& in, SaveFile& save)
{
    if (!in.next("save version", 1) || !in.whole(0, save.version))
        return false;
    // Another version lays its lines out otherwise; reading it as this one
    // would fill the city with whatever happens to stand there.
    if (save.version != SaveFile::Version)
        return in.fail("save version " + std::to_string(save.version) + " is not one this game can read");

    if (!in.next("date, action", 16))
        return false;
    // The tenth click of a day starts the next one and counts from 0 again.
    if (!in.ranged(0, save.day, 0, SaveFile::MaxDay) || !in.ranged(1, save.clicks, 0, 9))
        return false;
    int* wholes[] = {&save.actionCost, &save.unlockFlags, &save.warningFlags,
                     &save.reservedA,  &save.reservedB,   &save.helpFlags};
    for (size_t i = 0; i < 6; ++i)
        if (!in.whole(i + 2, *wholes[i]))
            return false;
    // The action id picks its title and its row of the action table. Clicks
    // add progress (never less than none) until it reaches what is needed.
    if (!in.ranged(8, save.actionId, 0, lastActionId) ||
        !in.ranged(9, save.actionClicksNeeded, 0, SaveFile::MaxClicksNeeded) ||
        !in.rangedReal(10, save.actionProgress, 0.0, SaveFile::MaxReal) ||
        !in.rangedReal(11, save.buildRate, 0.0, SaveFile::MaxReal) || !in.whole(12, save.actionTileId) ||
        !in.whole(13, save.fireStationDay) || !in.whole(14, save.policeDay) || !in.whole(15, save.hospitalDay))
        return false;

    // Heads and trash are never below 0; a repayment may leave the loan there.
    return in.next("city info", 5) && in.real(0, save.money) &&
           in.ranged(1, save.population, 0, SaveFile::MaxPopulation) &&
           in.ranged(2, save.loan, -City::MaxLoan, City::MaxLoan) && in.real(3, save.profitYesterday) &&
           in.rangedReal(4, save.streetTrash, 0.0, SaveFile::MaxReal);
}

// Housing demand, goods and the eight books.
bool readTables(LineReader& in, SaveFile& save)
{
    const int goods = SaveFile::GoodsSlots;
    // Demand is a share of the strongest class's; one outside 0..1 costs no
    // city, the loader works it out anew from the homes.
    if (!in.next("housing demand", 4) || !in.reals(0, save.housingDemand, 4))
        return false;
    if (!in.next("production & demand", 4 * goods) || !in.reals(0, save.goodsProduction, goods) ||
        !in.reals(goods, save.goodsDemand, goods) || !in.reals(2 * goods, save.goodsIncome, goods) ||
        !in.reals(3 * goods, save.goodsPrice, goods))
        return false;
    for (int book = 0; book < SaveFile::BookCount; ++book)
        if (!in.next(bookNames[book], SaveFile::BookSlots) || !in.reals(0, save.books[book], SaveFile::BookSlots))
            return false;
    return true;
}

// The map size, every tile with its record, and nothing after them.
bool readMap(LineReader& in, SaveFile& save)
{
    if (!in.next("map size, rotation", 3) || !in.whole(0, save.width) || !in.whole(1, save.height) ||
        !in.whole(2, save.rotation))
        return false;
    // Checked before anything is sized by them.
    if (save.width < 1 || save.height < 1 || save.width > SaveFile::MaxSide || save.height > SaveFile::MaxSide)
        return in.fail("a map of " + std::to_string(save.width) + " x " + std::to_string(save.height) +
                       " tiles is not possible");
    save.tiles.resize(static_cast<size_t>(save.width) * save.height);
    for (SavedTile& tile : save.tiles)
        if (!readTile(in, tile))
            return false;
    if (!in.atEnd())
        return in.fail("there is more text after the last tile");
    return true;
}
} // namespace

std::string SaveFile::format() const
{
    std::string out;
    out.reserve(256 + tiles.size() * 96);
    LineWriter line(out);

    line.whole(version);
    line.end("save version");

    for (int value : {day, clicks, actionCost, unlockFlags, warningFlags, reservedA, reservedB, helpFlags, actionId,
                      actionClicksNeeded})
        line.whole(value);
    line.real(actionProgress);
    line.real(buildRate);
    for (int value : {actionTileId, fireStationDay, policeDay, hospitalDay})
        line.whole(value);
    line.end("date, action");

    line.real(money);
    line.whole(population);
    line.whole(loan);
    line.real(profitYesterday);
    line.real(streetTrash);
    line.end("city info");

    line.reals(housingDemand, 4);
    line.end("housing demand");

    line.reals(goodsProduction, GoodsSlots);
    line.reals(goodsDemand, GoodsSlots);
    line.reals(goodsIncome, GoodsSlots);
    line.reals(goodsPrice, GoodsSlots);
    line.end("production & demand");

    for (int book = 0; book < BookCount; ++book)
    {
        line.reals(books[book], BookSlots);
        line.end(bookNames[book]);
    }

    line.whole(width);
    line.whole(height);
    line.whole(rotation);
    line.end("map size, rotation");

    for (const SavedTile& tile : tiles)
    {
        line.whole(tile.x);
        line.whole(tile.y);
        line.whole(tile.type);
        line.whole(tile.facing);
        line.flag(tile.revealed);
        line.real(tile.crime);
        line.real(tile.fireSafety);
        line.real(tile.health);
        line.flag(tile.burning);
        line.flag(tile.hasRecord);
        line.end("tile");
        if (tile.hasRecord)
            writeRecord(line, tile.type, tile.record);
    }
    return out;
}

bool SaveFile::parse(const std::string& text, bool headerOnly)
{
    LineReader in(text);
    version = 0;
    tiles.clear();
    bool ok = readHeader(in, *this) && (headerOnly || (readTables(in, *this) && readMap(in, *this)));
    error = ok ? std::string() : in.error;
    errorLine = ok ? 0 : in.lineNumber;
    if (!ok)
        tiles.clear();
    return ok;
}
