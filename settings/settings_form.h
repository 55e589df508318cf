// The settings dialog's rules, without windows: what its controls show for a
// record, how their texts become the record, and registering an extension.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "settings/settings.h"

constexpr size_t kFileTypeTextBytes = kFileTypeSize - 1;  // combo text and new extension
constexpr size_t kNumberTextBytes = 15;                   // time and size edits

// The contents of the dialog's controls.
struct SettingsForm {
  std::vector<std::string> fileTypes;  // combo list (shown only; never read back)
  std::string fileType;                // combo text
  std::string p, op_m1, op_m2;         // edits 101, 105, 107
  std::string offTim, offSize;         // edits 111, 123
  bool forceEnd = false;               // check box 110
  bool endByWindows = false;           // radio 115
  bool endByTerminate = false;         // radio 116
};

// What the controls show for s: the list stops at the first empty entry.
SettingsForm FormFromSettings(const Settings& s);

// Takes the form over into s (the OK button). Texts keep their byte limits,
// numbers are read leniently from their first 15 bytes, and a combo text that
// names no registered entry selects entry 0.
void ApplyForm(const SettingsForm& form, Settings& s);

// The longest start of text of at most maxBytes bytes that does not cut a
// double-byte character in two nor keep a lone lead byte (cp932::CutLength).
std::string CutText(const std::string& text, size_t maxBytes);

// Zero-fills field, then copies text into it, cut as CutText does to
// fieldSize - 1 bytes.
void StoreText(char* field, size_t fieldSize, const std::string& text);

// Index of the registered entry (0 to filetypemax - 1) equal to text, compared
// byte for byte and case-sensitively; -1 when there is none.
int32_t FindFileType(const Settings& s, const std::string& text);

enum class RegisterOutcome { kEmpty, kDuplicate, kFull, kAdded };

// Appends text (cut to 7 bytes) as a new extension unless it is empty,
// already registered or the table is full.
RegisterOutcome RegisterFileType(Settings& s, const std::string& text);
