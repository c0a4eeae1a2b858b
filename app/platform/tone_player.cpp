#include "platform/tone_player.h"

#include <QtGlobal>

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace kordex::app {

namespace {

constexpr int kSampleRate = 44100;
constexpr int kFadeMs = 5;
constexpr double kAmplitude = 0.4 * 32767;

}  // namespace

QByteArray ToneSamples(int frequency, int durationMs, int sampleRate) {
    const qsizetype count = qsizetype{sampleRate} * std::max(durationMs, 0) / 1000;
    const qsizetype fade = std::min<qsizetype>(qsizetype{sampleRate} * kFadeMs / 1000, count / 2);
    QByteArray bytes(count * qsizetype{sizeof(std::int16_t)}, Qt::Uninitialized);
    auto* samples = reinterpret_cast<std::int16_t*>(bytes.data());
    for (qsizetype i = 0; i < count; ++i) {
        double gain = 1.0;
        if (fade > 0)
            gain = std::min({1.0, double(i) / double(fade), double(count - 1 - i) / double(fade)});
        const double phase = 2.0 * std::numbers::pi * frequency * double(i) / sampleRate;
        samples[i] = static_cast<std::int16_t>(std::lround(kAmplitude * gain * std::sin(phase)));
    }
    return bytes;
}

TonePlayer::TonePlayer() = default;

TonePlayer::~TonePlayer() {
    Stop();
}

void TonePlayer::Stop() {
    if (sink_)
        sink_->stop();
    sink_.reset();
    buffer_.reset();
}

bool TonePlayer::Play(int frequency, int durationMs) {
    Stop();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return false;
    QAudioFormat format;
    format.setSampleRate(kSampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format))
        return false;

    samples_ = ToneSamples(frequency, durationMs, kSampleRate);
    buffer_ = std::make_unique<QBuffer>(&samples_);
    buffer_->open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(device, format);
    // The sink reads the buffer from the event loop; once it has played it all, it idles and
    // is stopped so that the output is free again.
    connect(sink_.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        if (state == QAudio::IdleState && sink_)
            sink_->stop();
    });
    sink_->start(buffer_.get());
    return sink_->error() == QAudio::NoError;
}

}  // namespace kordex::app
