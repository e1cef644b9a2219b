// Dialog template 2003 as the resource compiler builds it: read back from the compiled
// resource file and compared, control by control, with the layout the dialog must have
// (kind and styles, id, position, size and label, in template order); and the banner
// bitmap it shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "settings/setting_table.h"

namespace {

// Window and control styles, as Win32 numbers them.
constexpr uint32_t kChildVisible = 0x50000000;  // WS_CHILD | WS_VISIBLE
constexpr uint32_t kTabStop = 0x00010000;
constexpr uint32_t kDefPushButton = kChildVisible | kTabStop | 0x1;
constexpr uint32_t kPushButton = kChildVisible | kTabStop | 0x0;
constexpr uint32_t kCheckBox = kChildVisible | kTabStop | 0x3;       // BS_AUTOCHECKBOX
constexpr uint32_t kNumberField = kChildVisible | kTabStop | 0x00800000 | 0x2000 | 0x80;
constexpr uint32_t kRadioButton = kChildVisible | 0x9;               // BS_AUTORADIOBUTTON
constexpr uint32_t kGroupBox = kChildVisible | 0x7;
constexpr uint32_t kLabel = kChildVisible | 0x00020000;              // SS_LEFT | WS_GROUP
constexpr uint32_t kBannerPicture = kChildVisible | 0xE | 0x200;     // SS_BITMAP | SS_CENTERIMAGE
constexpr uint16_t kButtonClass = 0x80, kEditClass = 0x81, kStaticClass = 0x82;

struct Control {
    uint16_t id;
    uint16_t classAtom;
    uint32_t style;
    int16_t x, y, width, height;
    std::string label;
};

const Control kExpected[] = {
    {1, kButtonClass, kDefPushButton, 228, 197, 45, 15, "OK"},
    {2, kButtonClass, kPushButton, 168, 197, 45, 15, "Cancel"},
    {1018, kButtonClass, kPushButton, 108, 197, 45, 15, "Select &None"},
    {1017, kButtonClass, kPushButton, 48, 197, 45, 15, "Select &All"},
    {1025, kButtonClass, kCheckBox, 4, 94, 95, 10, "Use extra memory"},
    {1026, kEditClass, kNumberField, 63, 107, 23, 12, ""},
    {1048, kButtonClass, kCheckBox, 4, 122, 95, 10, "Cover all monitors"},
    {1019, kButtonClass, kCheckBox, 145, 94, 46, 10, "Scintle fade"},
    {1020, kButtonClass, kCheckBox, 145, 104, 43, 10, "Fast fade"},
    {1047, kButtonClass, kCheckBox, 145, 114, 39, 10, "No Fade"},
    {1027, kButtonClass, kCheckBox, 219, 94, 32, 10, "Mono"},
    {1028, kButtonClass, kCheckBox, 219, 104, 33, 10, "Bold 1"},
    {1029, kButtonClass, kCheckBox, 219, 114, 32, 10, "Bold 2"},
    {1030, kButtonClass, kCheckBox, 219, 124, 29, 10, "Bold 3"},
    {1031, kButtonClass, kCheckBox, 219, 134, 30, 10, "Bold 4"},
    {1032, kButtonClass, kCheckBox, 219, 144, 30, 10, "Bold 5"},
    {1033, kButtonClass, kCheckBox, 219, 154, 30, 10, "Bold 6"},
    {1034, kButtonClass, kCheckBox, 259, 94, 42, 10, "Rainbow"},
    {1035, kButtonClass, kCheckBox, 259, 104, 43, 10, "Firestorm"},
    {1036, kButtonClass, kCheckBox, 259, 114, 44, 10, "Valentine"},
    {1037, kButtonClass, kCheckBox, 259, 124, 50, 10, "Stormy night"},
    {1038, kButtonClass, kCheckBox, 259, 134, 50, 10, "Red / purple"},
    {1039, kButtonClass, kCheckBox, 259, 144, 53, 10, "Green / yellow"},
    {1040, kButtonClass, kCheckBox, 259, 154, 49, 10, "Blue / green"},
    // Curve Types and Iteration Options sit 12 units lower than they did before the
    // General group grew for "Cover all monitors".
    {1021, kButtonClass, kCheckBox, 4, 154, 45, 10, "Mandelbrot"},
    {1022, kButtonClass, kCheckBox, 4, 164, 43, 10, "Julia"},
    {1023, kButtonClass, kCheckBox, 58, 154, 34, 10, "Phoenix"},
    {1024, kButtonClass, kCheckBox, 58, 164, 33, 10, "Dragon"},
    {1042, kEditClass, kNumberField, 161, 154, 25, 12, ""},
    {1043, kEditClass, kNumberField, 161, 164, 25, 12, ""},
    {1045, kButtonClass, kRadioButton, 116, 176, 35, 10, "Exclude"},
    {1046, kButtonClass, kRadioButton, 161, 176, 35, 10, "Reduce"},
    {65535, kButtonClass, kGroupBox, 215, 82, 105, 87, "Colour Schemes"},
    {65535, kButtonClass, kGroupBox, 140, 82, 73, 44, "Blanking Methods"},
    {65535, kButtonClass, kGroupBox, 0, 143, 105, 35, "Curve Types"},
    {65535, kButtonClass, kGroupBox, 0, 82, 138, 56, "General"},
    {65535, kStaticClass, kLabel, 4, 109, 54, 10, "Completion delay "},
    {65535, kStaticClass, kLabel, 90, 109, 34, 10, "second(s)"},
    {65535, kButtonClass, kGroupBox, 107, 143, 105, 45, "Iteration Options"},
    {65535, kStaticClass, kLabel, 116, 154, 32, 10, "Minimum"},
    {65535, kStaticClass, kLabel, 116, 164, 33, 10, "Maximum"},
    {65535, kStaticClass, kBannerPicture, 4, 4, 312, 74, "#101"},  // bitmap 101
};

// Reads the little-endian pieces of a compiled resource file.
class Reader {
public:
    explicit Reader(const std::vector<uint8_t>& bytes, size_t at = 0) : bytes_(bytes), at_(at) {}
    uint16_t Word() {
        if (at_ + 2 > bytes_.size()) { failed = true; return 0; }
        const uint16_t value = static_cast<uint16_t>(bytes_[at_] | bytes_[at_ + 1] << 8);
        at_ += 2;
        return value;
    }
    uint32_t Dword() { const uint32_t low = Word(); return low | uint32_t{Word()} << 16; }
    int16_t Short() { return static_cast<int16_t>(Word()); }
    // A name or an ordinal; an ordinal comes back as "#n".
    std::string NameOrOrdinal() {
        const uint16_t first = Word();
        if (first == 0xFFFF) return "#" + std::to_string(Word());
        std::string text;
        for (uint16_t c = first; c != 0 && !failed; c = Word()) text += static_cast<char>(c);
        return text;
    }
    void AlignDword() { at_ = (at_ + 3) & ~size_t{3}; }
    size_t at() const { return at_; }
    bool failed = false;

private:
    const std::vector<uint8_t>& bytes_;
    size_t at_;
};

struct Resource {
    std::string type, name;
    uint16_t language = 0;
    std::vector<uint8_t> data;
};

std::vector<Resource> ReadResources(const char* path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    std::vector<Resource> resources;
    size_t at = 0;
    while (at + 8 <= bytes.size()) {
        Reader header(bytes, at);
        const uint32_t dataSize = header.Dword();
        const uint32_t headerSize = header.Dword();
        Resource resource;
        resource.type = header.NameOrOrdinal();
        resource.name = header.NameOrOrdinal();
        header.AlignDword();
        header.Dword();  // data version
        header.Word();   // memory flags
        resource.language = header.Word();
        if (header.failed || at + headerSize + dataSize > bytes.size()) break;
        resource.data.assign(bytes.begin() + at + headerSize, bytes.begin() + at + headerSize + dataSize);
        resources.push_back(resource);
        at = (at + headerSize + dataSize + 3) & ~size_t{3};
    }
    return resources;
}

TEST(DialogTemplate, Template2003IsTheConfigurationDialogAsLaidOut) {
    const std::vector<Resource> resources = ReadResources(SCINTLE_CONFIG_DIALOG_RES);
    const Resource* dialog = nullptr;
    for (const Resource& resource : resources)
        if (resource.type == "#5" && resource.name == "#2003") dialog = &resource;
    ASSERT_NE(dialog, nullptr) << "no dialog 2003 in " << SCINTLE_CONFIG_DIALOG_RES;
    EXPECT_EQ(dialog->language, 0x0809) << "English (United Kingdom)";

    Reader template_(dialog->data);
    // WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER
    EXPECT_EQ(template_.Dword(), 0x80C808C0u);
    EXPECT_EQ(template_.Dword(), 0u) << "a classic template has no extended style";
    const uint16_t count = template_.Word();
    EXPECT_EQ(template_.Short(), 182);
    EXPECT_EQ(template_.Short(), 149);
    EXPECT_EQ(template_.Short(), 320);
    EXPECT_EQ(template_.Short(), 222);
    EXPECT_EQ(template_.NameOrOrdinal(), "") << "no menu";
    EXPECT_EQ(template_.NameOrOrdinal(), "") << "the standard dialog class";
    EXPECT_EQ(template_.NameOrOrdinal(), "Scintle Fractals Setup - Version 1.2");
    EXPECT_EQ(template_.Word(), 10);
    EXPECT_EQ(template_.NameOrOrdinal(), "MS Sans Serif");

    constexpr size_t kControls = std::size(kExpected);
    ASSERT_EQ(count, kControls);
    for (size_t i = 0; i < kControls; ++i) {
        const Control& expected = kExpected[i];
        SCOPED_TRACE("control " + std::to_string(i) + " \"" + expected.label + "\" id " +
                     std::to_string(expected.id));
        template_.AlignDword();
        EXPECT_EQ(template_.Dword(), expected.style);
        EXPECT_EQ(template_.Dword(), 0u);
        EXPECT_EQ(template_.Short(), expected.x);
        EXPECT_EQ(template_.Short(), expected.y);
        EXPECT_EQ(template_.Short(), expected.width);
        EXPECT_EQ(template_.Short(), expected.height);
        EXPECT_EQ(template_.Word(), expected.id);
        EXPECT_EQ(template_.NameOrOrdinal(), "#" + std::to_string(expected.classAtom));
        EXPECT_EQ(template_.NameOrOrdinal(), expected.label);
        EXPECT_EQ(template_.Word(), 0) << "no creation data";
        ASSERT_FALSE(template_.failed);
    }
    EXPECT_EQ(template_.at(), dialog->data.size());
}

const Control* ControlWithId(int id) {
    for (const Control& control : kExpected)
        if (control.id == static_cast<uint16_t>(id)) return &control;
    return nullptr;
}

bool HasControl(uint32_t style, const std::string& label) {
    for (const Control& control : kExpected)
        if (control.style == style && control.label == label) return true;
    return false;
}

// The template (as the test above holds it to be) shows each setting of the settings
// table as the table describes it: its controls, their labels, its group.
TEST(DialogTemplate, EverySettingHasTheTablesControlsLabelsAndGroup) {
    for (const scintle::SettingInfo& setting : scintle::kSettingTable) {
        SCOPED_TRACE(setting.name);
        EXPECT_TRUE(HasControl(kGroupBox, setting.group)) << setting.group;
        if (setting.kind == scintle::SettingKind::kMask) {
            for (int32_t i = 0; i < setting.bitCount; ++i) {
                const Control* box = ControlWithId(setting.bits[i].control);
                ASSERT_NE(box, nullptr);
                EXPECT_EQ(box->style, kCheckBox);
                EXPECT_EQ(box->label, setting.bits[i].label);
            }
            continue;
        }
        const Control* control = ControlWithId(setting.control);
        ASSERT_NE(control, nullptr);
        if (setting.kind == scintle::SettingKind::kSwitch) {
            EXPECT_EQ(control->label, setting.label);
            EXPECT_EQ(control->style, setting.offControl ? kRadioButton : kCheckBox);
            if (setting.offControl) {
                EXPECT_EQ(ControlWithId(setting.offControl)->label, setting.offLabel);
            }
        } else {
            EXPECT_EQ(control->style, kNumberField);
            EXPECT_TRUE(HasControl(kLabel, setting.label)) << "no label \"" << setting.label << "\"";
        }
    }
}

// The banner's bitmap is the committed picture file without its 14-byte file header.
TEST(DialogTemplate, BannerBitmapIsTheCommittedPicture) {
    std::ifstream file(SCINTLE_BANNER_BMP, std::ios::binary);
    const std::vector<uint8_t> picture{std::istreambuf_iterator<char>(file), {}};
    ASSERT_GT(picture.size(), 14u);
    const std::vector<Resource> resources = ReadResources(SCINTLE_CONFIG_DIALOG_RES);
    const Resource* bitmap = nullptr;
    for (const Resource& resource : resources)
        if (resource.type == "#2" && resource.name == "#101") bitmap = &resource;
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->language, 0x0809);
    EXPECT_TRUE(std::equal(picture.begin() + 14, picture.end(), bitmap->data.begin(),
                           bitmap->data.end()));
}

}  // namespace
