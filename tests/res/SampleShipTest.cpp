// The sample ships in examples/ open cleanly: every hardpoint line names a known
// hardpoint and points inside the picture of its group, on a drawn part of the ship.
#include "../ui/TestApp.h"
#include "HardpointTable.h"
#include "PixelCheck.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace pelto5 {
namespace {

const QString kExamples = QStringLiteral(PELTO5_SOURCE_DIR "/examples");

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string WithoutSpaces(const std::string& s) {
    std::string out;
    for (char c : s)
        if (c != ' ')
            out += c;
    return out;
}

struct HardpointLine {
    int index;
    std::string key; // as spelt in the file
    int x;
    int y;
    std::string section;
};

// Index of the hardpoint a key names, compared without spaces and case.
std::optional<int> HardpointIndex(const std::string& key) {
    const std::string wanted = Lower(key);
    for (int i = 0; i < kHardpointCount; ++i)
        if (Lower(HardpointNames()[static_cast<std::size_t>(i)]) == wanted)
            return i;
    return std::nullopt;
}

bool ParseNumber(const std::string& text, int& value) {
    if (text.empty() || text.size() > 6)
        return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

struct ShipFile {
    std::vector<std::string> lines;
    std::vector<HardpointLine> hardpoints;
    std::vector<std::string> problems;
    bool crlf = true;
};

ShipFile ReadShip(const QString& path) {
    ShipFile ship;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ship.problems.push_back("cannot open");
        return ship;
    }
    const QByteArray bytes = file.readAll();
    for (qsizetype k = 0; k < bytes.size(); ++k)
        if (bytes[k] == '\n' && (k == 0 || bytes[k - 1] != '\r'))
            ship.crlf = false;
    std::string current;
    for (const QByteArray& raw : bytes.split('\n')) {
        std::string line = raw.toStdString();
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        ship.lines.push_back(line);
    }
    if (!ship.lines.empty() && ship.lines.back().empty())
        ship.lines.pop_back(); // after the last line end
    std::string section;
    for (const std::string& line : ship.lines) {
        if (!line.empty() && line.front() == '[')
            section = Lower(line);
        if (line.empty() || line.front() == ';')
            continue;
        const std::string packed = WithoutSpaces(line);
        const std::size_t eq = packed.find('=', 1);
        if (eq == std::string::npos)
            continue;
        const std::string key = packed.substr(0, eq);
        const std::optional<int> index = HardpointIndex(key);
        if (!index) {
            // In the hardpoint section every key must be a hardpoint: catches typos.
            if (section == "[hardpoints]")
                ship.problems.push_back("unknown hardpoint '" + key + "'");
            continue;
        }
        const std::string value = packed.substr(eq + 1);
        const std::size_t comma = value.find(',');
        HardpointLine hp{*index, key, 0, 0, section};
        if (comma == std::string::npos || !ParseNumber(value.substr(0, comma), hp.x) ||
            !ParseNumber(value.substr(comma + 1), hp.y)) {
            ship.problems.push_back("bad value in '" + line + "'");
            continue;
        }
        ship.hardpoints.push_back(hp);
    }
    return ship;
}

QStringList ShipFiles() {
    return QDir(kExamples).entryList({QStringLiteral("*.gf")}, QDir::Files, QDir::Name);
}

TEST(SampleShip, ThereIsOne) {
    EXPECT_FALSE(ShipFiles().isEmpty());
}

TEST(SampleShip, EveryHardpointLineNamesAKnownHardpointInsideItsPicture) {
    for (const QString& name : ShipFiles()) {
        SCOPED_TRACE(name.toStdString());
        const QString stem = kExamples + QLatin1Char('/') + name.chopped(3);
        const QImage vl(stem + QStringLiteral("VL.bmp"));
        const QImage ti(stem + QStringLiteral("TI.bmp"));
        ASSERT_FALSE(vl.isNull());
        ASSERT_FALSE(ti.isNull());
        EXPECT_LE(vl.width(), 600);
        EXPECT_LE(vl.height(), 367);
        EXPECT_LE(ti.width(), 151);
        EXPECT_LE(ti.height(), 165);

        const ShipFile ship = ReadShip(kExamples + QLatin1Char('/') + name);
        EXPECT_TRUE(ship.crlf) << "lines end in CR LF";
        for (const std::string& problem : ship.problems)
            ADD_FAILURE() << problem;
        EXPECT_LE(ship.lines.size(), 1300u);
        for (const std::string& line : ship.lines)
            EXPECT_LE(line.size(), 254u);
        ASSERT_FALSE(ship.hardpoints.empty());

        std::set<int> seen;
        for (const HardpointLine& hp : ship.hardpoints) {
            SCOPED_TRACE(hp.key);
            EXPECT_TRUE(seen.insert(hp.index).second) << "named twice";
            const QImage& picture = IsTiGroup(hp.index) ? ti : vl;
            ASSERT_TRUE(picture.rect().contains(hp.x, hp.y)) << hp.x << "," << hp.y;
            EXPECT_LT(hp.y, kOnPictureLimit);
            // The point lies on the drawn ship, not on the dark sky around it.
            EXPECT_GT(test::Luma(picture.pixel(hp.x, hp.y)), 60) << hp.x << "," << hp.y;
        }
    }
}

TEST(SampleShip, NamesEveryKindOfHardpointInEveryWayTheFormatAllows) {
    for (const QString& name : ShipFiles()) {
        SCOPED_TRACE(name.toStdString());
        const ShipFile ship = ReadShip(kExamples + QLatin1Char('/') + name);
        std::set<std::string> kinds;
        bool otherSection = false;
        bool otherCase = false;
        for (const HardpointLine& hp : ship.hardpoints) {
            std::string kind = HardpointNames()[static_cast<std::size_t>(hp.index)];
            while (!kind.empty() && std::isdigit(static_cast<unsigned char>(kind.back())))
                kind.pop_back();
            kinds.insert(kind);
            otherSection |= hp.section != "[hardpoints]";
            otherCase |= hp.key != HardpointNames()[static_cast<std::size_t>(hp.index)];
        }
        EXPECT_EQ(kinds, (std::set<std::string>{"VLPower", "VLBridge", "VLHull", "VLWeapon", "Warp",
                                                "Impulse", "Thruster", "Weapon"}));
        EXPECT_TRUE(otherSection) << "a hardpoint line outside [HardPoints]";
        EXPECT_TRUE(otherCase) << "a hardpoint key spelt in another case";
        bool header = false, comment = false;
        for (const std::string& line : ship.lines) {
            header |= Lower(line) == "[hardpoints]";
            comment |= !line.empty() && line.front() == ';';
        }
        EXPECT_TRUE(header);
        EXPECT_TRUE(comment);
    }
}

} // namespace
} // namespace pelto5
