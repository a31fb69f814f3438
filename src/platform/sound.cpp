#include "platform/sound.h"

#include "platform/alsasound.h"
#include "platform/wavefilesound.h"

namespace kontavo {

std::unique_ptr<Sound> Sound::create() {
    const QString out = qEnvironmentVariable("KONTAVO_AUDIO_OUT");
    if (!out.isEmpty()) {
        return std::make_unique<WaveFileSound>(out);
    }
    return std::make_unique<AlsaSound>();
}

}  // namespace kontavo
