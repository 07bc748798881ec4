#pragma once
// Sounds from the resource folder, played asynchronously; silent without an audio device.
#include <functional>
#include <string>

namespace qv::rt {

// Plays a sound file by the name the program asks for ("click.mp3"); our file has the
// same stem. A missing file plays nothing.
void playSound(const std::string& name, const std::string& folder = "DIduzodu");
bool soundIsPlaying();
// Tests see which sounds were asked for.
using SoundObserver = std::function<void(const std::string& name)>;
void setSoundObserver(SoundObserver obs);

}  // namespace qv::rt
