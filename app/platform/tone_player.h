#pragma once

#include <QByteArray>
#include <QObject>
#include <memory>

class QAudioSink;
class QBuffer;

namespace kordex::app {

// Signed 16-bit mono samples of a sine tone, faded in and out over a few milliseconds so
// that it starts and stops without a click.
QByteArray ToneSamples(int frequency, int durationMs, int sampleRate);

// Plays a tone on the default audio output and returns at once; the tone plays on while the
// window goes on. A new tone replaces one still playing.
class TonePlayer : public QObject {
  public:
    TonePlayer();
    ~TonePlayer() override;

    // False when there is no audio output or it refuses the format: the caller falls back to
    // the system's beep.
    bool Play(int frequency, int durationMs);

  private:
    void Stop();

    std::unique_ptr<QAudioSink> sink_;
    std::unique_ptr<QBuffer> buffer_;
    QByteArray samples_;
};

}  // namespace kordex::app
