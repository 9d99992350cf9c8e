#pragma once
// Our own small audio layer with the calls, arguments and results the sound engine
// was written against, over SDL2_mixer. Handles are non-zero 32-bit values; 0 means
// failure. Nothing here touches SDL before BASS_Init succeeds.
//
// Samples play on a group of mixer channels sized by the sample's simultaneous-play
// limit. Streams (wav, mp3, ogg, flac, opus) and modules (xm, mod, it, s3m, ...) are
// both SDL music, so only one of them sounds at a time, as the engine uses them.
#include <cstdint>

using BASS_HANDLE = uint32_t;

// The version this layer answers, the one the engine checks for.
constexpr uint32_t BASS_VERSION_KARVOLT = 0x60001;

// BASS_Init's device: the system's default output.
constexpr int BASS_DEVICE_DEFAULT = -1;
// BASS_SampleLoad flag: when all of a sample's playbacks are busy, a new play takes
// over the one that has played longest (without it the new play is refused).
constexpr uint32_t BASS_SAMPLE_OVER_POS = 0x20000;
// BASS_SamplePlayEx: "the sample's default" for frequency, volume and loop, and the
// default (centre) pan.
constexpr int BASS_DEFAULT_VALUE = -1;
constexpr int BASS_DEFAULT_PAN = -101;
// BASS_ChannelIsActive's answers.
constexpr uint32_t BASS_ACTIVE_STOPPED = 0;
constexpr uint32_t BASS_ACTIVE_PLAYING = 1;

uint32_t BASS_GetVersion();

// Opens the default output at freq Hz, stereo. flags and window are not used here.
// False when the audio device cannot be opened, or when already open.
bool BASS_Init(int device, uint32_t freq, uint32_t flags, void* window);
// Resumes output paused by BASS_Stop.
bool BASS_Start();
// Pauses every playing sample, stream and module.
bool BASS_Stop();
// Frees everything still loaded and closes the device.
bool BASS_Free();

// Files are read whole through our file layer: only a regular file of a sane size
// (16 MiB for a sample, 128 MiB for a track) is read at all; a folder, FIFO, device
// or anything larger gives 0. With mem true, file is a block of length bytes
// instead, copied as it is loaded.

// Loads a wav file (offset 0; length only with mem). max is the number of
// simultaneous playbacks (at least 1).
BASS_HANDLE BASS_SampleLoad(bool mem, const void* file, uint64_t offset, uint32_t length, uint32_t max,
                            uint32_t flags);
// Plays a sample once; volume 0..100, or -1 for the sample's default (full).
// start, freq, pan and loop other than their defaults are not offered and play as the
// defaults. Returns the playback's channel handle, 0 when none could be had.
BASS_HANDLE BASS_SamplePlayEx(BASS_HANDLE sample, uint64_t start, int freq, int volume, int pan, int loop);
bool BASS_SampleFree(BASS_HANDLE sample);

// Opens a stream file (offset 0, flags 0); 0 when the file is missing or is not a
// stream format.
BASS_HANDLE BASS_StreamCreateFile(bool mem, const void* file, uint64_t offset, uint64_t length, uint32_t flags);
// Plays a stream from its start (flush) once.
bool BASS_StreamPlay(BASS_HANDLE stream, bool flush, uint32_t flags);
bool BASS_StreamFree(BASS_HANDLE stream);

// Loads a tracker module (offset 0); 0 when the file is missing or is not a module.
BASS_HANDLE BASS_MusicLoad(bool mem, const void* file, uint64_t offset, uint32_t length, uint32_t flags);
// Plays a module once from its first order (pos 0; reset).
bool BASS_MusicPlayEx(BASS_HANDLE music, uint32_t pos, int flags, bool reset);
bool BASS_MusicFree(BASS_HANDLE music);

// BASS_ACTIVE_PLAYING while a stream, module or sample playback sounds, else
// BASS_ACTIVE_STOPPED (also for 0 or a freed handle).
uint32_t BASS_ChannelIsActive(BASS_HANDLE channel);
