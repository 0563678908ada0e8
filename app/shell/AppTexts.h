#pragma once

// User-visible texts of the editor, used verbatim.
namespace zef::texts {

// The caption of the main window and of every message box: a fixed text that stays the same
// whatever the program's version, which the About dialog and --version show.
inline constexpr const char* kAppCaption = "제프툴 1.39 -다온비";
inline constexpr const char* kUntitled = "무제";
inline constexpr const char* kModifiedMarker = "* ";
inline constexpr const char* kPointCountFormat = "선 갯수 : %d";
inline constexpr const char* kCanvasSizeFormat = "%d Ⅹ %d";

inline constexpr const char* kSaveChangesQuestion = "변경된 파일을 저장하시겠어요?";
inline constexpr const char* kRecoveryQuestion = "저장하지 못한 작업이 있어요. 복구할까요?";
inline constexpr const char* kSettingsNotSaved = "설정파일을 저장하지 못했어요;;.";
inline constexpr const char* kUnexpectedError = "예상하지 못한 오류가 생겼어요;;.";
inline constexpr const char* kOverwriteQuestion =
    "『%s』\n이 파일은 이미 존재 한걸요?     \n덮어 쓸까요?";

inline constexpr const char* kOpenDialogTitle = "제프모델파일 불러오기";
inline constexpr const char* kSaveDialogTitle = "제프모델파일 저장";
inline constexpr const char* kAnyModelFilter = "제프툴 연계파일(*.zfm,*zf2)";
inline constexpr const char* kAnyModelPattern = "*.zfm;*zf2";
inline constexpr const char* kModelFilter = "제프모델파일(*.zfm)";
inline constexpr const char* kModelPattern = "*.zfm";
inline constexpr const char* kOlderModelFilter = "이전 제프툴모델파일(*.zf2)";
inline constexpr const char* kOlderModelPattern = "*.zf2";

// What a second start of the program shows before it ends.
inline constexpr const char* kAlreadyRunning = "둘 이상의 복수샐행은 안돼요.";
inline constexpr const char* kPathTooLong = "파일 경로가 너무 길어요;;.";

}  // namespace zef::texts
