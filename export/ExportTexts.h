#pragma once

// User-visible texts of the exports, used verbatim.
namespace zef::texts {

// An export of a model without a single point is refused.
inline constexpr const char* kEmptyModel = "제프모델이 아니에요;;.";

inline constexpr const char* kExportPreparing = "그림데이터 작성중………";
inline constexpr const char* kExportCountingColours = "그림의 색을 세고 있어요………";
inline constexpr const char* kExportWritingGif = "GIF파일을 저장중 ……… 장시간 걸려요 ………";
inline constexpr const char* kExportWritingWebp = "WebP파일을 저장중 ……… 장시간 걸려요 ………";
inline constexpr const char* kExportWritingVideo = "동영상파일을 마무리하고 있어요………";
inline constexpr const char* kExportWritingApng = "APNG파일을 저장중 ……… 장시간 걸려요 ………";
inline constexpr const char* kExportFinished = "작업종료!!";
inline constexpr const char* kExportCancelled = "작업을 취소했어요.";
inline constexpr const char* kExportReady = "위 내용을 확인해, 『저장』버튼을 클릭해 주세요.";

inline constexpr const char* kGifNoWorkBuffer = "GIF저장시 작업화면용 메모리를 확보 못했어요;;";
inline constexpr const char* kGifNoFrameStore = "GIF저장시 컷보기용 메모리를 확보 못했어요;;.";
inline constexpr const char* kGifNoAnimationInfo = "GIF저장시 애니정보용 메모리를 확보 못했어요;;.";
inline constexpr const char* kWebpNoWorkBuffer = "WebP저장시 작업화면용 메모리를 확보 못했어요;;";
inline constexpr const char* kWebpNoFrameStore = "WebP저장시 컷보기용 메모리를 확보 못했어요;;.";
inline constexpr const char* kWebpNoAnimationInfo =
    "WebP저장시 애니정보용 메모리를 확보 못했어요;;.";
inline constexpr const char* kApngNoWorkBuffer = "APNG저장시 작업화면용 메모리를 확보 못했어요;;";
inline constexpr const char* kApngNoFrameStore = "APNG저장시 컷보기용 메모리를 확보 못했어요;;.";
inline constexpr const char* kApngNoAnimationInfo =
    "APNG저장시 애니정보용 메모리를 확보 못했어요;;.";
inline constexpr const char* kBmpNoWorkBuffer = "BMP저장시 작업화면용 메모리를 확보 못했어요;;";
inline constexpr const char* kMp4NoWorkBuffer = "MP4저장시 작업화면용 메모리를 확보 못했어요;;";
inline constexpr const char* kWebmNoWorkBuffer = "WebM저장시 작업화면용 메모리를 확보 못했어요;;";

inline constexpr const char* kGifSaved = "애니메이션GIF파일 저장을 성공했어요";
inline constexpr const char* kGifFailed = "애니메이션GIF파일 저장을 실패했어요;;.";
inline constexpr const char* kWebpSaved = "애니메이션WebP파일 저장을 성공했어요";
inline constexpr const char* kWebpFailed = "애니메이션WebP파일 저장을 실패했어요;;.";
inline constexpr const char* kApngSaved = "애니메이션PNG파일 저장을 성공했어요";
inline constexpr const char* kApngFailed = "애니메이션PNG파일 저장을 실패했어요;;.";
inline constexpr const char* kBmpSaved = "일련BMP파일을 저장을 성공했어요";
inline constexpr const char* kBmpFailed = "일련BMP파일 저장을 실패 했어요;;.";
inline constexpr const char* kMp4Saved = "MP4동영상파일 저장을 성공했어요";
inline constexpr const char* kMp4Failed = "MP4동영상파일 저장을 실패했어요;;.";
inline constexpr const char* kWebmSaved = "WebM동영상파일 저장을 성공했어요";
inline constexpr const char* kWebmFailed = "WebM동영상파일 저장을 실패했어요;;.";

// Why a video could not be written; the last two take ffmpeg's exit status or signal.
inline constexpr const char* kVideoNeedsFfmpeg = "동영상을 쓰려면 ffmpeg 꾸러미를 설치해 주세요;;.";
inline constexpr const char* kVideoNoTemporary = "동영상을 쓸 임시파일을 만들지 못했어요;;.";
inline constexpr const char* kVideoNotStarted = "ffmpeg를 시작하지 못했어요;;.";
inline constexpr const char* kVideoEncoderFailed = "ffmpeg가 실패했어요(종료 상태: %d);;.";
inline constexpr const char* kVideoEncoderKilled = "ffmpeg가 멈췄어요(신호: %d);;.";

// A byte limit that even the smallest size of the picture does not fit.
inline constexpr const char* kExportNothingFits =
    "가장 작은 크기로도 정한 용량을 넘어서 저장하지 않았어요;;.";

inline constexpr const char* kPreviewInvalid = "***";

inline constexpr const char* kNoFileName = "파일명이 입력되지 않았는 걸요?;;";
inline constexpr const char* kBadEndWait = "VTR종료후 대기시간의 값이 맞지않아요";
inline constexpr const char* kBadWidth = "그림의 넓이값이 안맞아요";
inline constexpr const char* kBadHeight = "그림의 높이값이 안맞아요";

inline constexpr const char* kGifBrowseTitle = "애니메이션GIF파일 저장";
inline constexpr const char* kGifFilter = "애니메이션 GIF 파일 (*.gif)";
inline constexpr const char* kGifPattern = "*.gif";
inline constexpr const char* kWebpFilter = "애니메이션 WebP 파일 (*.webp)";
inline constexpr const char* kWebpPattern = "*.webp";
inline constexpr const char* kMp4Filter = "MP4 동영상 파일 (*.mp4)";
inline constexpr const char* kMp4Pattern = "*.mp4";
inline constexpr const char* kWebmFilter = "WebM 동영상 파일 (*.webm)";
inline constexpr const char* kWebmPattern = "*.webm";
inline constexpr const char* kApngFilter = "APNG 애니메이션 (*.png *.apng)";
inline constexpr const char* kApngPattern = "*.png;*.apng";
inline constexpr const char* kBmpBrowseTitle = "일련BMP파일 저장";
inline constexpr const char* kBmpFilter = "BMP파일(*.bmp)    ";
inline constexpr const char* kBmpPattern = "*.bmp";

}  // namespace zef::texts
