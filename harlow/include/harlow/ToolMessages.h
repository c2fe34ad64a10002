// Layouts of the WM_COPYDATA blocks exchanged between Zevrin and its media tools.
//
// Tool -> program: dwData kToolCallbackData, cbData 4096, one ToolCallbackBlock (the encode tool
// uses EncodeCallbackBlock, which shares the first 1048 bytes). Program -> playback tool: dwData
// kToolControlData, cbData 1048, one ToolControlBlock. All values are little-endian; text is
// UTF-8 and NUL-terminated. Only plain data here: both the program and the tools include it.
//
// The program reads these fields and nothing else: context and type; type 0 value and text;
// type 1 value (stream kind), video.width/height, the audio description; type 2 toolWindow,
// media.duration, status.position; type 3 value; type 10 status.position; for the encode tool
// the progress area at 1048. Every other field is informative and may grow into its reserved room,
// never move.
#pragma once

#include <cstddef>
#include <cstdint>

namespace harlow {

inline constexpr std::uintptr_t kToolCallbackData = 300; // COPYDATASTRUCT::dwData, tool -> program
inline constexpr std::uintptr_t kToolControlData = 301;  // COPYDATASTRUCT::dwData, program -> tool
inline constexpr std::uint32_t kToolCallbackSize = 4096;
inline constexpr std::uint32_t kToolControlSize = 1048;

// Callback types (ToolCallbackBlock::type).
enum ToolCallbackType : std::int32_t {
    kCallbackMessage = 0, // value: message code, text: message
    kCallbackStream = 1,  // value: StreamKind; video or audio description filled
    kCallbackOpened = 2,  // playback: toolWindow, media, status; encode: progress
    kCallbackPause = 3,   // value: non-zero while paused
    kCallbackEnded = 4,   // nothing else
    kCallbackStatus = 10, // playback: status; encode: progress
};

enum StreamKind : std::int32_t { kStreamVideo = 1, kStreamAudio = 2 };

// Message codes of kCallbackMessage (value).
enum ToolMessageCode : std::int32_t {
    kMessageInfo = 0,
    kMessageWarning = 1,
    kMessageError = 2,
};

// Control commands (ToolControlBlock::command).
enum ToolCommand : std::int32_t {
    kCommandPause = 1,       // toggle pause
    kCommandStop = 2,        // stop playback and end the tool
    kCommandSeek = 300,      // a: time in microseconds, b: 1 relative to the position, 0 absolute
    kCommandStep = 301,      // while paused: show the next video frame; while playing: nothing
    kCommandVideoSize = 310, // a: width, b: height of the video output in pixels
    kCommandVolume = 320,    // a: volume 0..100, 0 also means muted
};

// Bits of the playback tool's -effect option.
enum PlaybackEffect : std::int32_t {
    kEffectKeepAspect = 1,   // letterbox the picture inside the output instead of stretching it
    kEffectSmoothScale = 2,  // bicubic instead of bilinear scaling
    kEffectBlackBorders = 4, // paint the area around the picture black on every frame
    kEffectHideCursor = 8,   // hide the mouse pointer over the output while playing
};

// Media description (2704 bytes) of callback type 2, at offset 1056.
struct MediaDescription {
    char format[64];          // 0: container short name, e.g. "mov,mp4,m4a,3gp,3g2,mj2"
    std::int64_t size;        // 64: bytes, -1 unknown (streams)
    std::int64_t startTime;   // 72: microseconds
    std::int64_t bitRate;     // 80: bits per second, 0 unknown
    std::int64_t duration;    // 88: microseconds, 0 unknown (live)
    std::int32_t streamCount; // 96
    std::uint32_t flags;      // 100: MediaFlags
    std::int32_t videoStream; // 104: index of the stream played as video, -1 none
    std::int32_t audioStream; // 108: index of the stream played as audio, -1 none
    char title[512];          // 112
    char author[256];         // 624
    char copyright[256];      // 880
    char comment[512];        // 1136
    char album[256];          // 1648
    char genre[128];          // 1904
    std::int32_t year;        // 2032
    std::int32_t track;       // 2036
    char url[664];            // 2040: the media path or URL as played
};

enum MediaFlags : std::uint32_t {
    kMediaHasVideo = 1,
    kMediaHasAudio = 2,
    kMediaSeekable = 4,
    kMediaNetwork = 8,
    kMediaAudioDevice = 16, // audio goes to a device (otherwise timed on the system clock)
};

// Video stream description (144 bytes), at offset 3760 of callback type 1 with kind 1.
struct VideoDescription {
    std::int32_t streamIndex;  // 0
    std::int32_t codec;        // 4: the probe tool's codec number
    char codecName[64];        // 8
    std::int64_t bitRate;      // 72
    std::int64_t duration;     // 80: microseconds
    std::int32_t frameRateNum; // 88
    std::int32_t frameRateDen; // 92
    std::int32_t aspectNum;    // 96: display aspect
    std::int32_t aspectDen;    // 100
    std::int32_t pixelFormat;  // 104: the decoder's pixel format number
    std::int32_t rotation;     // 108: degrees, as tagged
    std::uint32_t flags;       // 112
    std::int32_t width;        // 116: coded picture width in pixels
    std::int32_t height;       // 120
    std::int32_t outputWidth;  // 124: current output size
    std::int32_t outputHeight; // 128
    std::int32_t reserved[3];  // 132
};

// Audio stream description (144 bytes), at offset 3904 of callback type 1 with kind 2.
struct AudioDescription {
    std::int32_t streamIndex;    // 0
    std::int32_t codec;          // 4
    char codecName[64];          // 8
    std::int64_t bitRate;        // 72
    std::int64_t duration;       // 80: microseconds
    std::int32_t sampleRate;     // 88
    std::int32_t channels;       // 92
    std::int32_t outputRate;     // 96: what goes to the device
    std::int32_t outputChannels; // 100
    std::int32_t outputBits;     // 104: always 16
    std::uint32_t flags;         // 108: kMediaAudioDevice when a device is open
    std::int32_t reserved[8];    // 112
};

// Playback status (48 bytes), at offset 4048 of callback types 2 and 10.
struct PlaybackStatus {
    std::int32_t state;         // 0: PlaybackState
    std::int32_t volume;        // 4: 0..100
    std::int64_t duration;      // 8: microseconds
    std::int64_t position;      // 16: microseconds
    std::int64_t framesShown;   // 24
    std::int64_t framesDropped; // 32
    std::int64_t reserved;      // 40
};

enum PlaybackState : std::int32_t {
    kStateOpening = 0,
    kStatePlaying = 1,
    kStatePaused = 2,
    kStateEnded = 3,
};

// Encode progress, at offset 1048 of the encode tool's callback types 2 (started) and 10.
struct EncodeProgress {
    std::int64_t position;     // 0: microseconds of input done
    std::int64_t duration;     // 8: microseconds expected in all, 0 unknown
    std::int64_t bytesWritten; // 16
    std::int32_t percent;      // 24: 0..100, -1 unknown
    std::int32_t frames;       // 28: video frames written
    std::int32_t reserved[8];  // 32
};

// The common head of every callback block.
struct ToolCallbackHead {
    std::int32_t context;   // 0: the low 32 bits of the -context value
    std::int32_t type;      // 4: ToolCallbackType
    std::int32_t value;     // 8: type 0 code, type 1 kind, type 3 paused
    std::int32_t reserved0; // 12
    std::int64_t reserved1; // 16
    char text[1024];        // 24: type 0 text
};

// The playback tool's callback block (4096 bytes).
struct ToolCallbackBlock {
    ToolCallbackHead head;    // 0
    std::uint64_t toolWindow; // 1048: type 2, the tool's control window
    MediaDescription media;   // 1056: type 2
    VideoDescription video;   // 3760: type 1 kind 1
    AudioDescription audio;   // 3904: type 1 kind 2
    PlaybackStatus status;    // 4048: types 2 and 10
};

// The encode tool's callback block (4096 bytes).
struct EncodeCallbackBlock {
    ToolCallbackHead head;   // 0
    EncodeProgress progress; // 1048: types 2 and 10
    char reserved[4096 - 1048 - sizeof(EncodeProgress)];
};

// The program's control block to the playback tool (1048 bytes).
struct ToolControlBlock {
    std::int32_t context; // 0: the program's wrapper (ignored by the tool)
    std::int32_t command; // 4: ToolCommand
    std::int64_t a;       // 8
    std::int64_t b;       // 16
    char text[1024];      // 24: NUL-terminated, unused so far
};

static_assert(sizeof(MediaDescription) == 2704);
static_assert(offsetof(MediaDescription, duration) == 88);
static_assert(offsetof(MediaDescription, url) == 2040);
static_assert(sizeof(VideoDescription) == 144);
static_assert(offsetof(VideoDescription, width) == 116);
static_assert(offsetof(VideoDescription, height) == 120);
static_assert(sizeof(AudioDescription) == 144);
static_assert(sizeof(PlaybackStatus) == 48);
static_assert(offsetof(PlaybackStatus, position) == 16);
static_assert(sizeof(ToolCallbackHead) == 1048);
static_assert(offsetof(ToolCallbackHead, type) == 4);
static_assert(offsetof(ToolCallbackHead, value) == 8);
static_assert(offsetof(ToolCallbackHead, text) == 24);
static_assert(sizeof(ToolCallbackBlock) == kToolCallbackSize);
static_assert(offsetof(ToolCallbackBlock, toolWindow) == 1048);
static_assert(offsetof(ToolCallbackBlock, media) == 1056);
static_assert(offsetof(ToolCallbackBlock, video) == 3760);
static_assert(offsetof(ToolCallbackBlock, audio) == 3904);
static_assert(offsetof(ToolCallbackBlock, status) == 4048);
static_assert(sizeof(EncodeCallbackBlock) == kToolCallbackSize);
static_assert(offsetof(EncodeCallbackBlock, progress) == 1048);
static_assert(sizeof(ToolControlBlock) == kToolControlSize);
static_assert(offsetof(ToolControlBlock, command) == 4);
static_assert(offsetof(ToolControlBlock, a) == 8);
static_assert(offsetof(ToolControlBlock, b) == 16);
static_assert(offsetof(ToolControlBlock, text) == 24);

} // namespace harlow
