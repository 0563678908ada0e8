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

// Toolbar tooltips.
inline constexpr const char* kTipNew = "제프모델 새로 만들기 (Ctrl+N)";
inline constexpr const char* kTipOpen = "제프모델 열기 (Ctrl+O)";
inline constexpr const char* kTipStraightLine = "직선 (1)";
inline constexpr const char* kTipCurve = "곡선 (2)";
inline constexpr const char* kTipSave = "제프모델 저장 (Ctrl+S)";
inline constexpr const char* kTipMove = "선택한 선을 평행이동(V)";
inline constexpr const char* kTipScale = "선택한 선을 확대, 축소 (Z)";
inline constexpr const char* kTipVtr = "VTR모드 (Enter)";
inline constexpr const char* kTipAbout = "버젼 정보";
inline constexpr const char* kTipSettings = "제프툴 설정";
inline constexpr const char* kTipRemoveLastLine = "마지막의 선 제거(Shift+Z)";
inline constexpr const char* kTipSaveAs = "제프모델에 이름을 넣어 저장";
inline constexpr const char* kTipGifExport = "제프모델을 애니GIF파일로 저장";
inline constexpr const char* kTipBmpExport = "제프모델을 일련BMP파일로 저장";
inline constexpr const char* kTipProperties = "제프모델의 등록정보 (Ctrl+P)";
inline constexpr const char* kTipShaking = "제프모델의 흔들림 유무 (Y)";
inline constexpr const char* kTipRectangle = "사각형 (3)";
inline constexpr const char* kTipEllipse = "원형 (4)";
inline constexpr const char* kTipFilledRectangle = "전부 칠한 사각형 (5)";
inline constexpr const char* kTipFilledEllipse = "전부 칠한 원형 (6)";
inline constexpr const char* kTipRangeSelection = "범위선택 (M)";
inline constexpr const char* kTipSelectAll = "모든 선을 선택 (Ctrl+A)";
inline constexpr const char* kTipDeselect = "선택 해제 (Ctrl+D)";
inline constexpr const char* kTipInvert = "선택범위 반전 (Ctrl+I)";
inline constexpr const char* kTipDelete = "선택한 직선을 삭제 (Delete)";
inline constexpr const char* kTipUndo = "Undo (Ctrl+Z)";
inline constexpr const char* kTipRedo = "Redo (Ctrl+Y)";
inline constexpr const char* kTipStraighten = "선택한 곡선을 직선화 (T)";

// What a second start of the program shows before it ends.
inline constexpr const char* kAlreadyRunning = "둘 이상의 복수샐행은 안돼요.";
inline constexpr const char* kPathTooLong = "파일 경로가 너무 길어요;;.";

}  // namespace zef::texts
