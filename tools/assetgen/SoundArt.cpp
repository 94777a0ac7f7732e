#include "Assets.hpp"

#include <cmath>

namespace {
const unsigned sampleRate = 44100;
const double pi = 3.14159265358979323846;

std::vector<std::int16_t> tone(float frequency, float seconds, float level)
{
    std::vector<std::int16_t> samples(static_cast<std::size_t>(seconds * sampleRate));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        samples[i] = static_cast<std::int16_t>(level * 32767.0 * std::sin(2.0 * pi * frequency * t));
    }
    return samples;
}
}

void writeMusic(const std::string& dataDir)
{
    const char* tracks[] = {"Layer1", "Layer2", "Layer3", "Layer4", "MenuMusic", "Ambiance"};
    float frequency = 110.f;
    for (const char* track : tracks) {
        saveSamples(tone(frequency, 2.f, 0.2f), 1, sampleRate, dataDir + "/music/" + track + ".wav");
        frequency *= 1.25f;
    }
}

void writeEffects(const std::string& dataDir)
{
    const char* effects[] = {
        "Bip.wav", "Valid.wav", "Invalid.wav", "Steps.wav", "Monster.wav", "MonsterAwake.wav",
        "Shock.wav", "Voice_DoorCrush.wav", "Switch.wav", "Reboot.wav", "Door_Crush.wav",
        "Door_ExitLevel.wav", "Door_OpenClose.wav", "Menu_Click.wav", "Menu_CloseWindow.wav",
        "Menu_Hover.wav", "Menu_NewWindow.wav", "PowerUp.wav", "PowerDown.wav",
        "Door_LightOn.wav", "Door_LightOff.wav", "Monster_Respawn.WAV", "Player_Death.WAV",
        "Voice_Start.wav", "Voice_Level1.wav", "Voice_Level2.wav", "Voice_Level3.wav",
        "Voice_Level4.wav", "Voice_PowerDown.wav", "Voice_PowerOn.wav", "Voice_Exit.wav",
        "Voice_Level0.wav"};
    float frequency = 300.f;
    for (const char* effect : effects) {
        saveSamples(tone(frequency, 0.15f, 0.5f), 1, sampleRate, dataDir + "/sfx/" + effect);
        frequency += 20.f;
    }
}
