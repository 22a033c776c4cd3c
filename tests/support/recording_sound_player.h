#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "platform/sound_player.h"
#include "support/journal.h"
#include "support/virtual_clock.h"

namespace nav::testing {

// Keeps every sound played. A synchronous play lasts `syncDuration` of
// virtual time, so whatever follows it happens after the sound's end.
class RecordingSoundPlayer : public platform::SoundPlayer {
 public:
  struct Played {
    std::wstring path;
    platform::PlayMode mode;
    std::chrono::milliseconds at;
  };

  RecordingSoundPlayer(VirtualClock& clock, Journal& journal) : clock_(clock), journal_(journal) {}

  void Play(const std::wstring& path, platform::PlayMode mode) override {
    const bool synchronous = mode == platform::PlayMode::kSynchronous;
    played.push_back({path, mode, clock_.Elapsed()});
    journal_.Add("Play " + Ascii(path) + (synchronous ? " sync" : " async"));
    if (synchronous) clock_.Advance(syncDuration);
  }

  std::chrono::milliseconds syncDuration{1500};
  std::vector<Played> played;

 private:
  VirtualClock& clock_;
  Journal& journal_;
};

}  // namespace nav::testing
