#include "recording_dialog.h"

#include <cctype>

#include "resources/config_dialog_ids.h"
#include "settings/config_dialog.h"

namespace scintle {

bool FakeDialog::CheckDlgButton(DialogHandle, int id, uint32_t check) {
    calls.push_back("CheckDlgButton " + std::to_string(id) + " " + std::to_string(check));
    checks[id] = check;
    return true;
}

uint32_t FakeDialog::IsDlgButtonChecked(DialogHandle, int id) {
    calls.push_back("IsDlgButtonChecked " + std::to_string(id));
    const auto found = checks.find(id);
    return found == checks.end() ? kBstUnchecked : found->second;
}

bool FakeDialog::CheckRadioButton(DialogHandle, int firstId, int lastId, int checkId) {
    calls.push_back("CheckRadioButton " + std::to_string(firstId) + " " + std::to_string(lastId) +
                    " " + std::to_string(checkId));
    for (int id = firstId; id <= lastId; ++id) checks[id] = id == checkId ? kBstChecked : 0;
    return true;
}

bool FakeDialog::SetDlgItemInt(DialogHandle, int id, uint32_t value, bool isSigned) {
    calls.push_back("SetDlgItemInt " + std::to_string(id) + " " + std::to_string(value) +
                    (isSigned ? " signed" : ""));
    texts[id] = std::to_string(value);
    ReportChange(id);
    return true;
}

// Leading blanks are skipped and the digits up to the first other character are taken;
// no digits, or a number beyond 32 bits, read as 0.
uint32_t FakeDialog::GetDlgItemInt(DialogHandle, int id, bool* translated, bool isSigned) {
    calls.push_back("GetDlgItemInt " + std::to_string(id) + (isSigned ? " signed" : ""));
    if (translated) *translated = false;
    const std::string& text = texts[id];
    size_t at = 0;
    while (at < text.size() && text[at] == ' ') ++at;
    uint64_t value = 0;
    size_t digits = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
        value = value * 10 + static_cast<uint64_t>(text[at] - '0');
        if (value > UINT32_MAX) return 0;
        ++digits;
    }
    if (digits == 0) return 0;
    if (translated) *translated = true;
    return static_cast<uint32_t>(value);
}

int FakeDialog::MessageBoxA(DialogHandle owner, const char* text, const char* caption,
                            uint32_t type) {
    calls.push_back(std::string("MessageBoxA ") + caption);
    messageBoxes.push_back({owner, text, caption, type});
    if (whileMessageBoxShows) whileMessageBoxShows();
    return kIdOk;
}

bool FakeDialog::EndDialog(DialogHandle, intptr_t result) {
    calls.push_back("EndDialog " + std::to_string(result));
    ended = true;
    endResult = result;
    return true;
}

void FakeDialog::Type(int id, const std::string& text) {
    texts[id] = text;
    ReportChange(id);
}

void FakeDialog::Click(int id) {
    if (id == IDC_EXCLUDE || id == IDC_REDUCE) {
        checks[IDC_EXCLUDE] = checks[IDC_REDUCE] = kBstUnchecked;
        checks[id] = kBstChecked;
    } else {
        checks[id] = checks[id] == kBstChecked ? kBstUnchecked : kBstChecked;
    }
}

bool FakeDialog::Checked(int id) const {
    const auto found = checks.find(id);
    return found != checks.end() && found->second == kBstChecked;
}

std::vector<std::string> FakeDialog::CallsStartingWith(const std::string& prefix) const {
    std::vector<std::string> matching;
    for (const std::string& call : calls)
        if (call.rfind(prefix, 0) == 0) matching.push_back(call);
    return matching;
}

void FakeDialog::ReportChange(int id) { HandleCommand(handle, id); }

}  // namespace scintle
