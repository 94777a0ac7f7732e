#pragma once

// The volume interface the menu's sliders drive, without knowing whether they hold the music
// or the effect bank. Volumes are 0 to MaxVolume.
class Sound {
public:
    static constexpr float MaxVolume = 100.f;

    virtual void setVolume(float volume) = 0;
    // Applies the stored volume to what must follow the slider while it is dragged.
    virtual void previewVolume() = 0;
    // Applies the stored volume to everything the object governs, when the slider is released.
    virtual void applyVolume() = 0;
    virtual float getVolume() = 0;

protected:
    ~Sound() = default;
};
