// A dialog held in memory for the configuration dialog's tests: check states, the text
// of the number fields, and a record of every call in order ("CheckDlgButton 1034 1",
// "MessageBoxA Invalid entry", "EndDialog 1", ...).
//
// Like the real edit control, writing a number field reports a change of its text to
// the dialog (a WM_COMMAND from that field), so the dialog's own writes run its checks.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/dialog_platform.h"

namespace scintle {

struct RecordedMessageBox {
    DialogHandle owner;
    std::string text;
    std::string caption;
    uint32_t type;
};

class FakeDialog : public DialogPlatform {
public:
    bool CheckDlgButton(DialogHandle dialog, int id, uint32_t check) override;
    uint32_t IsDlgButtonChecked(DialogHandle dialog, int id) override;
    bool CheckRadioButton(DialogHandle dialog, int firstId, int lastId, int checkId) override;
    bool SetDlgItemInt(DialogHandle dialog, int id, uint32_t value, bool isSigned) override;
    uint32_t GetDlgItemInt(DialogHandle dialog, int id, bool* translated, bool isSigned) override;
    int MessageBoxA(DialogHandle owner, const char* text, const char* caption,
                    uint32_t type) override;
    bool EndDialog(DialogHandle dialog, intptr_t result) override;

    // The user's side: typing into a field (reported like the real control) and clicking
    // a check box or radio button, without recording.
    void Type(int id, const std::string& text);
    void Click(int id);

    bool Checked(int id) const;
    // Every call whose text starts with the prefix, in order.
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const;

    DialogHandle handle = reinterpret_cast<DialogHandle>(uintptr_t{0x2003});
    std::map<int, uint32_t> checks;
    std::map<int, std::string> texts;
    std::vector<std::string> calls;
    std::vector<RecordedMessageBox> messageBoxes;
    bool ended = false;
    intptr_t endResult = -1;
    // Runs while a message box is up, for example to take the focus from a field.
    std::function<void()> whileMessageBoxShows;

private:
    void ReportChange(int id);
};

}  // namespace scintle
