#pragma once

#include "common/Cell.hpp"
#include "common/LevelFile.hpp"
#include "window/ConsoleButton.hpp"
#include "window/InvitePanel.hpp"
#include "window/MapView.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Window/Event.hpp>

#include <functional>
#include <string>
#include <vector>

class Operator;

// The operator's window, "Kestrivon Operator": the plan of the level on the left; the level
// choice, the actions (each with its key), the figures and the log on the right. Laid out on a
// 1280 by 720 canvas that keeps its proportions when the window is resized.
class OperatorWindow {
public:
    // The buttons, in the order they are laid out.
    enum Action {
        FirstLevel = 0,
        Start = FirstLevel + LevelCount,
        Scan,
        Shock,
        PowerOn,
        EndGame,
        FirstLocate,
        ActionCount = FirstLocate + Cell::ObjectCount
    };

    static const sf::Color backgroundColor;
    static const sf::FloatRect mapArea;
    static const sf::FloatRect logArea;

    explicit OperatorWindow(Operator& console);

    // Loads the font; false when it is missing.
    bool load(const std::string& fontPath);
    // Opens the window and runs it until it is closed.
    void run();

    // Another front end on the same operator, beside the window: handed the game's new report
    // lines once a frame.
    using Beside = std::function<void(const std::vector<std::string>& lines)>;
    void setBeside(Beside beside);
    // The watch links that W shows over the plan, with their QR codes; none, and W does
    // nothing, without a web page. After load().
    void setInvite(const std::vector<std::string>& urls);

    // One frame: the game's reports, then the window's events, then the picture.
    void frame();
    void handleEvent(const sf::Event& event);
    void perform(int action);
    // Brings buttons, texts and the plan up to date with the operator's state.
    void refresh();
    void draw(sf::RenderTarget& target) const;
    const MapView& getMapView() const;

private:
    void buildButtons();
    void fitView(unsigned width, unsigned height);
    std::string figuresText() const;
    std::string logText() const;

    Operator& console;
    sf::Font font;
    sf::RenderWindow window;
    MapView map;
    std::vector<ConsoleButton> buttons;
    sf::Text status;
    sf::Text banner;
    sf::Text note;
    sf::Text figures;
    sf::RectangleShape logPanel;
    sf::Text log;
    Beside beside;
    InvitePanel invite;
    bool inviteShown;
    bool refreshed;
    unsigned shownRevision;
    // Lines scrolled back from the newest in the log.
    int logScroll;
};
