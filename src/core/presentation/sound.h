#pragma once
// Wave sounds by file name and one MIDI piece at a time, looped by the frame loop's keep-alive.
#include <cstdint>

#include "presentation/sound_record.h"

namespace veloria {

struct Game;

void PlayWave(Game& g, const char* file);
void PlayWaveWait(Game& g, const char* file);
// Opens the file only when no piece is open; rewinds when fromStart; plays.
void PlayMusic(Game& g, const char* file, bool fromStart);
void StopMusic(Game& g);
// 1 playing, 0 stopped, -1 any other mode or no answer (then the piece is closed).
int8_t MusicPlaying(Game& g);
// If the music has stopped, start the current MusicFile again from its start.
void MusicKeepAlive(Game& g);
// StopMusic, MusicFile := the formatted name, PlayMusic from the start.
void ChangeMusic(Game& g, const char* format, ...) __attribute__((format(printf, 2, 3)));
// Writes MusicFile (cut to its buffer) without touching the player.
void SetMusicFile(Game& g, const char* format, ...) __attribute__((format(printf, 2, 3)));

}  // namespace veloria
