#pragma once

#include "audio/SFX.hpp"

#include <dlfcn.h>

// Holds OpenAL Soft's mixer still while it lives, so that a voice once started still reads as
// playing when the test looks, however short the effect and however busy the machine.
class StillAudio {
public:
    StillAudio() { callOnDevice("alcDevicePauseSOFT"); }
    ~StillAudio() { callOnDevice("alcDeviceResumeSOFT"); }
    StillAudio(const StillAudio&) = delete;
    StillAudio& operator=(const StillAudio&) = delete;

private:
    // The audio library is loaded with SFML; its functions are looked up by name.
    static void callOnDevice(const char* name)
    {
        const auto find = [](const char* symbol) { return dlsym(RTLD_DEFAULT, symbol); };
        auto getContext = reinterpret_cast<void* (*)()>(find("alcGetCurrentContext"));
        auto getDevice = reinterpret_cast<void* (*)(void*)>(find("alcGetContextsDevice"));
        auto getProc = reinterpret_cast<void* (*)(void*, const char*)>(find("alcGetProcAddress"));
        void* context = getContext && getDevice && getProc ? getContext() : nullptr;
        void* device = context ? getDevice(context) : nullptr;
        if (auto call = device ? reinterpret_cast<void (*)(void*)>(getProc(device, name)) : nullptr)
            call(device);
    }
};

inline bool playing(const Sfx& bank, int effect)
{
    return bank.getVoice(effect).getStatus() == sf::Sound::Playing;
}

// Which effects a widget played: each test gets a bank of its own, and silence() stops all of
// its voices (a copy of a bank that never played starts stopped).
class Ear {
public:
    Sfx bank;
    void silence() { bank = quiet; }
    bool heard(Sfx::Effect effect) const { return playing(bank, effect); }
    bool heardNothing() const
    {
        for (int effect = 0; effect < Sfx::EffectCount; ++effect)
            if (playing(bank, effect))
                return false;
        return true;
    }

private:
    const Sfx quiet;
    StillAudio still;
};
