#pragma once

#include <string>
#include <string_view>

// Every file of the run-time folder that tools/assetgen generates, relative to data/. The game's
// registries, the generator and the build (cmake/RuntimeData.cmake collects the quoted names
// below) all read this one list. Adding a sound is one line in KESTRIVON_EFFECTS, in the effect
// bank's order, and its recipe in the generator: the line gives the slot, the file, the bank's
// play operation and the build's file.

// Pictures: the registry key and the file.
#define KESTRIVON_TEXTURES(TEXTURE)                                                                \
    TEXTURE("menuBG", "Texture/MenuBG.jpg")                                                        \
    TEXTURE("menuFG", "Texture/MenuFG.png")                                                        \
    TEXTURE("wall", "Texture/Wall.jpg")                                                            \
    TEXTURE("geiger", "Texture/Geiger.png")

// Music, in the order of Music::Track: the four layers, the menu theme and the ambience.
#define KESTRIVON_TRACKS(TRACK)                                                                    \
    TRACK(TrackLayer1, "music/Layer1.wav")                                                         \
    TRACK(TrackLayer2, "music/Layer2.wav")                                                         \
    TRACK(TrackLayer3, "music/Layer3.wav")                                                         \
    TRACK(TrackLayer4, "music/Layer4.wav")                                                         \
    TRACK(TrackMenu, "music/MenuMusic.wav")                                                        \
    TRACK(TrackAmbiance, "music/Ambiance.wav")

// Sound effects, in the bank's order: the slot's name in Sfx::Effect (and Sfx::playName) and
// the file.
#define KESTRIVON_EFFECTS(EFFECT)                                                                  \
    EFFECT(Bip, "sfx/Bip.wav")                                                                     \
    EFFECT(Valid, "sfx/Valid.wav")                                                                 \
    EFFECT(Invalid, "sfx/Invalid.wav")                                                             \
    EFFECT(Steps, "sfx/Steps.wav")                                                                 \
    EFFECT(Monster, "sfx/Monster.wav")                                                             \
    EFFECT(MonsterAwake, "sfx/MonsterAwake.wav")                                                   \
    EFFECT(Shock, "sfx/Shock.wav")                                                                 \
    EFFECT(VoiceDoorCrush, "sfx/Voice_DoorCrush.wav")                                              \
    EFFECT(Switch, "sfx/Switch.wav")                                                               \
    EFFECT(Reboot, "sfx/Reboot.wav")                                                               \
    EFFECT(DoorCrush, "sfx/Door_Crush.wav")                                                        \
    EFFECT(DoorExitLevel, "sfx/Door_ExitLevel.wav")                                                \
    EFFECT(DoorOpenClose, "sfx/Door_OpenClose.wav")                                                \
    EFFECT(MenuClick, "sfx/Menu_Click.wav")                                                        \
    EFFECT(MenuCloseWindow, "sfx/Menu_CloseWindow.wav")                                            \
    EFFECT(MenuHover, "sfx/Menu_Hover.wav")                                                        \
    EFFECT(MenuNewWindow, "sfx/Menu_NewWindow.wav")                                                \
    EFFECT(PowerUp, "sfx/PowerUp.wav")                                                             \
    EFFECT(PowerDown, "sfx/PowerDown.wav")                                                         \
    EFFECT(DoorLightOn, "sfx/Door_LightOn.wav")                                                    \
    EFFECT(DoorLightOff, "sfx/Door_LightOff.wav")                                                  \
    EFFECT(MonsterRespawn, "sfx/Monster_Respawn.WAV")                                              \
    EFFECT(PlayerDeath, "sfx/Player_Death.WAV")                                                    \
    EFFECT(VoiceStart, "sfx/Voice_Start.wav")                                                      \
    EFFECT(VoiceLevel1, "sfx/Voice_Level1.wav")                                                    \
    EFFECT(VoiceLevel2, "sfx/Voice_Level2.wav")                                                    \
    EFFECT(VoiceLevel3, "sfx/Voice_Level3.wav")                                                    \
    EFFECT(VoiceLevel4, "sfx/Voice_Level4.wav")                                                    \
    EFFECT(VoicePowerDown, "sfx/Voice_PowerDown.wav")                                              \
    EFFECT(VoicePowerOn, "sfx/Voice_PowerOn.wav")                                                  \
    EFFECT(VoiceExit, "sfx/Voice_Exit.wav")                                                        \
    EFFECT(VoiceLevel0, "sfx/Voice_Level0.wav")

// Desktop icons, one line a size in pixels: the game's and the console's.
#define KESTRIVON_ICONS(ICON)                                                                      \
    ICON(16, "icons/kestrivon-16.png", "icons/kestrivon-console-16.png")                           \
    ICON(24, "icons/kestrivon-24.png", "icons/kestrivon-console-24.png")                           \
    ICON(32, "icons/kestrivon-32.png", "icons/kestrivon-console-32.png")                           \
    ICON(48, "icons/kestrivon-48.png", "icons/kestrivon-console-48.png")                           \
    ICON(64, "icons/kestrivon-64.png", "icons/kestrivon-console-64.png")                           \
    ICON(128, "icons/kestrivon-128.png", "icons/kestrivon-console-128.png")                        \
    ICON(256, "icons/kestrivon-256.png", "icons/kestrivon-console-256.png")

// The lists as tables: files in list order, so a track or effect number indexes its file.
namespace assets {

struct Texture {
    const char* key;
    const char* file;
};

struct Icon {
    int size;
    const char* game;
    const char* console;
};

#define KESTRIVON_TEXTURE_ENTRY(key, file) Texture{key, file},
#define KESTRIVON_FILE_ENTRY(name, file) file,
#define KESTRIVON_ICON_ENTRY(size, game, console) Icon{size, game, console},
inline constexpr Texture textures[] = {KESTRIVON_TEXTURES(KESTRIVON_TEXTURE_ENTRY)};
inline constexpr const char* trackFiles[] = {KESTRIVON_TRACKS(KESTRIVON_FILE_ENTRY)};
inline constexpr const char* effectFiles[] = {KESTRIVON_EFFECTS(KESTRIVON_FILE_ENTRY)};
inline constexpr Icon icons[] = {KESTRIVON_ICONS(KESTRIVON_ICON_ENTRY)};
#undef KESTRIVON_TEXTURE_ENTRY
#undef KESTRIVON_FILE_ENTRY
#undef KESTRIVON_ICON_ENTRY

// Where the game opens a listed file: the data folder of its working folder.
inline std::string inDataFolder(std::string_view file)
{
    return "data/" + std::string(file);
}

// The file of the texture registered under key; empty for an unknown key.
constexpr std::string_view textureFile(std::string_view key)
{
    for (const Texture& texture : textures) {
        if (texture.key == key)
            return texture.file;
    }
    return {};
}

} // namespace assets
