// The PiPL checks on byte arrays, and what the host makes of dialog items.
#include "standin/host/pipl.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "hostapi/host_types.h"
#include "standin/host/module_resources.h"

namespace {

using standin::PluginProperties;
using standin::ReadPluginProperties;

void Put32(std::vector<uint8_t>* bytes, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes->push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// One property: vendor "ADBE", `key`, id 0, `data` padded to 4 bytes.
void AddProperty(std::vector<uint8_t>* pipl, const char (&key)[5], std::vector<uint8_t> data) {
    Put32(pipl, MakeFourCharCode("ADBE"));
    Put32(pipl, MakeFourCharCode(key));
    Put32(pipl, 0);
    while (data.size() % 4 != 0) data.push_back(0);
    Put32(pipl, static_cast<uint32_t>(data.size()));
    pipl->insert(pipl->end(), data.begin(), data.end());
}

std::vector<uint8_t> Code(const char (&code)[5]) {
    std::vector<uint8_t> bytes;
    Put32(&bytes, MakeFourCharCode(code));
    return bytes;
}

std::vector<uint8_t> Int(int32_t v) {
    std::vector<uint8_t> bytes;
    Put32(&bytes, static_cast<uint32_t>(v));
    return bytes;
}

std::vector<uint8_t> Name(const std::string& name) {
    std::vector<uint8_t> bytes(name.begin(), name.end());
    bytes.push_back(0);
    return bytes;
}

// The PiPL the Orvelk module carries, with the kind, version and entry given.
std::vector<uint8_t> Pipl(const char (&kind)[5] = "SPEA", int32_t version = 2,
                          const std::string& entry = "PluginMain") {
    std::vector<uint8_t> pipl = {1, 0};  // reserved
    Put32(&pipl, 0);                     // version
    Put32(&pipl, 3);                     // count
    AddProperty(&pipl, "kind", Code(kind));
    AddProperty(&pipl, "ivrs", Int(version));
    AddProperty(&pipl, "wx86", Name(entry));
    return pipl;
}

TEST(Pipl, ReadsThePluginsOwnList) {
    const std::vector<uint8_t> pipl = Pipl();
    ASSERT_EQ(pipl.size(), 78u);
    // Four-character codes are stored reversed: the vendor "ADBE" as "EBDA".
    EXPECT_EQ(std::string(pipl.begin() + 10, pipl.begin() + 14), "EBDA");
    PluginProperties p;
    std::string why;
    ASSERT_TRUE(ReadPluginProperties(pipl, &p, &why)) << why;
    EXPECT_EQ(p.kind, MakeFourCharCode("SPEA"));
    EXPECT_EQ(p.interfaceVersion, 2);
    EXPECT_EQ(p.entryName, "PluginMain");
}

TEST(Pipl, RefusesOtherKindsAndVersionsWithTheReason) {
    PluginProperties p;
    std::string why;
    EXPECT_FALSE(ReadPluginProperties(Pipl("8BFM"), &p, &why));
    EXPECT_EQ(why, "it is of kind '8BFM', not 'SPEA'");
    EXPECT_FALSE(ReadPluginProperties(Pipl("SPEA", 3), &p, &why));
    EXPECT_EQ(why, "it is written for interface version 3, not 2");
}

TEST(Pipl, FindsTheHostsPropertiesInAnyOrderAmongOthers) {
    std::vector<uint8_t> pipl = {1, 0};
    Put32(&pipl, 0);
    Put32(&pipl, 5);
    AddProperty(&pipl, "wx86", Name("Main2"));
    // Another vendor's "kind" does not count.
    Put32(&pipl, MakeFourCharCode("XXXX"));
    Put32(&pipl, MakeFourCharCode("kind"));
    Put32(&pipl, 0);
    Put32(&pipl, 4);
    Put32(&pipl, MakeFourCharCode("8BFM"));
    AddProperty(&pipl, "name", Name("odd length"));
    AddProperty(&pipl, "ivrs", Int(2));
    AddProperty(&pipl, "kind", Code("SPEA"));
    PluginProperties p;
    std::string why;
    ASSERT_TRUE(ReadPluginProperties(pipl, &p, &why)) << why;
    EXPECT_EQ(p.entryName, "Main2");
}

TEST(Pipl, DamagedOrUnknownListsAreRefused) {
    const std::vector<uint8_t> good = Pipl();
    PluginProperties p;
    std::string why;
    // Cut anywhere: never accepted.
    for (size_t size = 0; size < good.size(); ++size) {
        const std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<long>(size));
        EXPECT_FALSE(ReadPluginProperties(cut, &p, &why)) << size;
    }
    EXPECT_EQ(why,
              "its PiPL is damaged (it must name a kind, an interface version and an entry "
              "point)");
    EXPECT_FALSE(ReadPluginProperties(Pipl("SPEA", 2, ""), &p, &why));
    EXPECT_EQ(why.substr(0, 20), "its PiPL is damaged ");
    std::vector<uint8_t> reserved = good;
    reserved[0] = 2;
    EXPECT_FALSE(ReadPluginProperties(reserved, &p, &why));
    EXPECT_EQ(why, "its PiPL has a layout this host does not know");
}

TEST(DialogItemKinds, FollowClassAndStyle) {
    using standin::DialogItemKind;
    using standin::DialogItemResource;
    const auto kind = [](uint16_t atom, const char* name, uint32_t style) {
        DialogItemResource item;
        item.classAtom = atom;
        item.className = name;
        item.style = style;
        return standin::KindOfItem(item);
    };
    EXPECT_EQ(kind(0x80, "", 0x50010001), DialogItemKind::kDefaultButton);
    EXPECT_EQ(kind(0x80, "", 0x50010000), DialogItemKind::kPushButton);
    EXPECT_EQ(kind(0x80, "", 0x50010003), DialogItemKind::kCheckBox);
    EXPECT_EQ(kind(0x80, "", 0x50000007), DialogItemKind::kGroupBox);
    EXPECT_EQ(kind(0x82, "", 0x50020002), DialogItemKind::kStaticText);  // right-aligned
    EXPECT_EQ(kind(0x82, "", 0x5000000E), DialogItemKind::kPicture);     // bitmap
    EXPECT_EQ(kind(0x82, "", 0x50000007), DialogItemKind::kFrame);       // black frame
    EXPECT_EQ(kind(0x82, "", 0x5000000D), DialogItemKind::kUserDrawn);   // owner-drawn
    EXPECT_EQ(kind(0x81, "", 0x50810080), DialogItemKind::kEditText);
    EXPECT_EQ(kind(0x85, "", 0x50210003), DialogItemKind::kPopup);  // drop-down list
    EXPECT_EQ(kind(0x85, "", 0x50210001), DialogItemKind::kListBox);
    // By name when the template names the class.
    EXPECT_EQ(kind(0, "STATIC", 0x0E), DialogItemKind::kPicture);
    EXPECT_EQ(kind(0, "OrvelkSwatch", 0), DialogItemKind::kOther);
}

}  // namespace
