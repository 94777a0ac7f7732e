#pragma once

#include "audio/SFX.hpp"
#include "ui/Button.hpp"

#include <SFML/Window/Event.hpp>

#include <dlfcn.h>

// Window events and effect numbers shared by the menu widget suites.
namespace menuEvents {

// Effects by their place in the bank's load order.
enum Effect : int {
    Bip = 0,
    Valid = 1,
    Invalid = 2,
    MenuClick = 13,
    MenuCloseWindow = 14,
    MenuHover = 15,
    MenuNewWindow = 16,
};

inline sf::Event moved(int x, int y)
{
    sf::Event event;
    event.type = sf::Event::MouseMoved;
    event.mouseMove = {x, y};
    return event;
}

inline sf::Event press(sf::Mouse::Button button = sf::Mouse::Left)
{
    sf::Event event;
    event.type = sf::Event::MouseButtonPressed;
    event.mouseButton = {button, 0, 0};
    return event;
}

inline sf::Event release(sf::Mouse::Button button = sf::Mouse::Left)
{
    sf::Event event;
    event.type = sf::Event::MouseButtonReleased;
    event.mouseButton = {button, 0, 0};
    return event;
}

inline sf::Event keyPressed(sf::Keyboard::Key code)
{
    sf::Event event;
    event.type = sf::Event::KeyPressed;
    event.key = {code, false, false, false, false};
    return event;
}

inline sf::Event textEntered(sf::Uint32 character)
{
    sf::Event event;
    event.type = sf::Event::TextEntered;
    event.text.unicode = character;
    return event;
}

inline bool playing(const Sfx& bank, int effect)
{
    return bank.getVoice(effect).getStatus() == sf::Sound::Playing;
}

// Moves the pointer onto p, then presses the left button there: a full click on a widget.
inline void click(Button& widget, sf::Vector2i p)
{
    widget.handleEvent(moved(p.x, p.y), p);
    widget.handleEvent(press(), p);
}

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
        using GetContext = void* (*)();
        using GetDevice = void* (*)(void*);
        using GetProc = void* (*)(void*, const char*);
        using DeviceCall = void (*)(void*);
        auto getContext = reinterpret_cast<GetContext>(dlsym(RTLD_DEFAULT, "alcGetCurrentContext"));
        auto getDevice = reinterpret_cast<GetDevice>(dlsym(RTLD_DEFAULT, "alcGetContextsDevice"));
        auto getProc = reinterpret_cast<GetProc>(dlsym(RTLD_DEFAULT, "alcGetProcAddress"));
        void* context = getContext && getDevice && getProc ? getContext() : nullptr;
        void* device = context ? getDevice(context) : nullptr;
        if (auto call = device ? reinterpret_cast<DeviceCall>(getProc(device, name)) : nullptr)
            call(device);
    }
};

// Which effects a widget played: every test gets a bank of its own, and silence() stops all of
// its voices (a copy of a bank that never played starts stopped).
class Ear {
public:
    Sfx bank;
    void silence() { bank = quiet; }
    bool heard(Effect effect) const { return playing(bank, effect); }
    bool heardNothing() const
    {
        for (int effect = 0; effect < Sfx::EffectCount; ++effect) {
            if (playing(bank, effect))
                return false;
        }
        return true;
    }

private:
    const Sfx quiet;
    StillAudio still;
};

}
