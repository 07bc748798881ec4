#include <QFileInfo>
#include <QGuiApplication>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <map>

#include "runtime/app.h"
#include "runtime/sound.h"

namespace qv::rt {
namespace {

SoundObserver gObserver;
std::map<std::string, QSoundEffect*> gEffects;
int gAudio = -1;  // unknown, 0 none, 1 available

bool audioAvailable() {
  if (gAudio < 0) {
    // Offscreen runs (tests, CI, event files) are silent: there is no one to hear.
    gAudio = QGuiApplication::platformName() != "offscreen" && !QMediaDevices::audioOutputs().isEmpty() ? 1 : 0;
  }
  return gAudio == 1;
}

}  // namespace

void playSound(const std::string& name, const std::string& folder) {
  if (gObserver) gObserver(name);
  if (!QGuiApplication::instance() || !audioAvailable()) return;
  // Our sounds are WAV files under the stem of the name the program asks for.
  auto dot = name.rfind('.');
  std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
  std::string path = resourcePath(folder, stem + ".wav");
  if (!QFileInfo::exists(QString::fromStdString(path))) return;
  QSoundEffect*& fx = gEffects[path];
  if (!fx) {
    fx = new QSoundEffect;
    fx->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
  }
  fx->play();
}

bool soundIsPlaying() {
  if (!audioAvailable()) return false;
  for (auto& [p, fx] : gEffects)
    if (fx->isPlaying()) return true;
  return false;
}

void setSoundObserver(SoundObserver obs) { gObserver = std::move(obs); }

}  // namespace qv::rt
