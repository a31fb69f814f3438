#include "platform/alsasound.h"

#include <alsa/asoundlib.h>

#include <QFile>
#include <QThread>
#include <algorithm>
#include <memory>

namespace kontavo {

namespace {

constexpr const char* kDevice = "default";
constexpr unsigned kLatencyUs = 100000;
constexpr uint32_t kFullChannel = 0xFFFF;

void silentErrorHandler(const char*, int, const char*, int, const char*, ...) {}

struct PcmCloser {
    void operator()(snd_pcm_t* pcm) const { snd_pcm_close(pcm); }
};
using Pcm = std::unique_ptr<snd_pcm_t, PcmCloser>;

struct MixerCloser {
    void operator()(snd_mixer_t* mixer) const { snd_mixer_close(mixer); }
};
using Mixer = std::unique_ptr<snd_mixer_t, MixerCloser>;

// Opens the device for `audio`'s format. Opened without blocking, so that
// a device held by another program fails at once instead of waiting.
Pcm openPcm(const WaveAudio& audio) {
    snd_pcm_t* raw = nullptr;
    if (snd_pcm_open(&raw, kDevice, SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0) {
        return nullptr;
    }
    Pcm pcm(raw);
    const snd_pcm_format_t format =
        audio.bitsPerSample == 8 ? SND_PCM_FORMAT_U8 : SND_PCM_FORMAT_S16_LE;
    if (snd_pcm_nonblock(pcm.get(), 0) < 0 ||
        snd_pcm_set_params(pcm.get(), format, SND_PCM_ACCESS_RW_INTERLEAVED,
                           unsigned(audio.channels), unsigned(audio.sampleRate), 1,
                           kLatencyUs) < 0) {
        return nullptr;
    }
    return pcm;
}

// Writes the samples in pieces of 50 ms until done or `stop` is set; true
// when every frame was written.
bool writeFrames(snd_pcm_t* pcm, const WaveAudio& audio, const std::atomic<bool>* stop) {
    const qint64 frames = audio.frameCount();
    const qint64 piece = std::max(1, audio.sampleRate / 20);
    qint64 done = 0;
    while (done < frames) {
        if (stop != nullptr && stop->load()) {
            snd_pcm_drop(pcm);
            return false;
        }
        const qint64 count = std::min(piece, frames - done);
        const char* data = audio.samples.constData() + done * audio.frameBytes();
        snd_pcm_sframes_t written = snd_pcm_writei(pcm, data, snd_pcm_uframes_t(count));
        if (written < 0) {
            written = snd_pcm_recover(pcm, int(written), 1);
            if (written < 0) {
                return false;
            }
            continue;
        }
        done += written;
    }
    snd_pcm_drain(pcm);
    return true;
}

// The mixer control whose volume counts as the device's.
snd_mixer_elem_t* volumeControl(snd_mixer_t* mixer) {
    snd_mixer_elem_t* first = nullptr;
    for (const char* name : {"Master", "PCM"}) {
        for (snd_mixer_elem_t* elem = snd_mixer_first_elem(mixer); elem != nullptr;
             elem = snd_mixer_elem_next(elem)) {
            if (snd_mixer_selem_has_playback_volume(elem) == 0) {
                continue;
            }
            if (first == nullptr) {
                first = elem;
            }
            if (qstrcmp(snd_mixer_selem_get_name(elem), name) == 0) {
                return elem;
            }
        }
    }
    return first;
}

// The left channel in the low half of a volume, the right one in the high.
constexpr std::pair<snd_mixer_selem_channel_id_t, int> kChannels[] = {
    {SND_MIXER_SCHN_FRONT_LEFT, 0}, {SND_MIXER_SCHN_FRONT_RIGHT, 16}};

Mixer openMixer() {
    snd_mixer_t* raw = nullptr;
    if (snd_mixer_open(&raw, 0) < 0) {
        return nullptr;
    }
    Mixer mixer(raw);
    if (snd_mixer_attach(mixer.get(), kDevice) < 0 ||
        snd_mixer_selem_register(mixer.get(), nullptr, nullptr) < 0 ||
        snd_mixer_load(mixer.get()) < 0) {
        return nullptr;
    }
    return mixer;
}

// The mixer control that counts as the device's volume, with its range;
// no element when there is none.
struct VolumeControl {
    Mixer mixer;
    snd_mixer_elem_t* elem = nullptr;
    long low = 0;
    long high = 0;
};

VolumeControl openVolumeControl() {
    VolumeControl control;
    control.mixer = openMixer();
    control.elem = control.mixer != nullptr ? volumeControl(control.mixer.get()) : nullptr;
    if (control.elem != nullptr &&
        snd_mixer_selem_get_playback_volume_range(control.elem, &control.low, &control.high) < 0) {
        control.elem = nullptr;
    }
    return control;
}

}  // namespace

AlsaSound::AlsaSound() {
    snd_lib_error_set_handler(silentErrorHandler);
}

AlsaSound::~AlsaSound() {
    stop();
}

bool AlsaSound::playSync(const QByteArray& wave) {
    stop();
    const std::optional<WaveAudio> audio = parseWave(wave);
    if (!audio) {
        return false;
    }
    const Pcm pcm = openPcm(*audio);
    return pcm != nullptr && writeFrames(pcm.get(), *audio, nullptr);
}

bool AlsaSound::playFileAsync(const QString& path) {
    stop();
    QFile file(path);
    std::optional<WaveAudio> audio =
        file.open(QIODevice::ReadOnly) ? parseWave(file.readAll()) : std::nullopt;
    if (!audio) {
        return false;
    }
    Pcm pcm = openPcm(*audio);
    if (pcm == nullptr) {
        return false;
    }
    m_stop = false;
    m_player = std::thread([this, pcm = std::move(pcm), audio = std::move(*audio)] {
        writeFrames(pcm.get(), audio, &m_stop);
    });
    return true;
}

void AlsaSound::stop() {
    if (m_player.joinable()) {
        m_stop = true;
        m_player.join();
    }
}

std::optional<uint32_t> AlsaSound::volume() {
    const VolumeControl control = openVolumeControl();
    if (control.elem == nullptr || control.high <= control.low) {
        return std::nullopt;
    }
    const bool mono = snd_mixer_selem_is_playback_mono(control.elem) != 0;
    uint32_t result = 0;
    for (const auto& [channel, shift] : kChannels) {
        long value = 0;
        if (snd_mixer_selem_get_playback_volume(control.elem, mono ? SND_MIXER_SCHN_MONO : channel,
                                                &value) < 0) {
            return std::nullopt;
        }
        const long level =
            (value - control.low) * long(kFullChannel) / (control.high - control.low);
        result |= uint32_t(std::clamp(level, 0L, long(kFullChannel))) << shift;
    }
    return result;
}

bool AlsaSound::setVolume(uint32_t volume) {
    const VolumeControl control = openVolumeControl();
    if (control.elem == nullptr) {
        return false;
    }
    bool ok = true;
    for (const auto& [channel, shift] : kChannels) {
        const long level = long((volume >> shift) & kFullChannel);
        const long value = control.low + (control.high - control.low) * level / long(kFullChannel);
        if (snd_mixer_selem_has_playback_channel(control.elem, channel) != 0) {
            ok = snd_mixer_selem_set_playback_volume(control.elem, channel, value) >= 0 && ok;
        }
    }
    return ok;
}

void AlsaSound::wait(int ms) {
    QThread::msleep(ulong(std::max(ms, 0)));
}

}  // namespace kontavo
