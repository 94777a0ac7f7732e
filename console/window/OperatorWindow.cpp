#include "window/OperatorWindow.hpp"

#include "common/Money.hpp"
#include "operator/Operator.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <algorithm>
#include <utility>

namespace {

constexpr float canvasWidth = 1280.f;
constexpr float canvasHeight = 720.f;
constexpr float levelColumn = 804.f;
constexpr float actionColumn = 1040.f;
constexpr float buttonTop = 44.f;
constexpr float buttonPitch = 34.f;
constexpr float buttonHeight = 30.f;
constexpr std::size_t logLines = 9;
constexpr std::size_t logColumns = 54;
constexpr std::size_t noteColumns = 40;

const char* const levelKeys[] = {"F1", "F2", "F3", "F4", "F5", "F6", "F7"};

// What a button asks of the operator.
OperatorAction actionOf(int button)
{
    using Kind = OperatorAction::Kind;
    switch (button) {
    case OperatorWindow::Start:
        return {Kind::Start, 0};
    case OperatorWindow::Scan:
        return {Kind::Scan, 0};
    case OperatorWindow::Shock:
        return {Kind::Shock, 0};
    case OperatorWindow::PowerOn:
        return {Kind::Power, 0};
    case OperatorWindow::EndGame:
        return {Kind::End, 0};
    default:
        if (button < OperatorWindow::Start)
            return {Kind::Select, button - OperatorWindow::FirstLevel};
        return {Kind::Locate, Cell::FirstObject + button - OperatorWindow::FirstLocate};
    }
}

// Breaks text into lines of at most columns characters, at spaces.
std::string wrapped(const std::string& text, std::size_t columns)
{
    std::string result;
    std::size_t lineStart = 0;
    std::size_t lastSpace = std::string::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        result += text[i];
        if (text[i] == ' ')
            lastSpace = result.size() - 1;
        if (result.size() - lineStart > columns && lastSpace != std::string::npos &&
            lastSpace > lineStart) {
            result[lastSpace] = '\n';
            lineStart = lastSpace + 1;
            lastSpace = std::string::npos;
        }
    }
    return result;
}

int doorKey(sf::Keyboard::Key key)
{
    if (key >= sf::Keyboard::Num1 && key <= sf::Keyboard::Num8)
        return key - sf::Keyboard::Num1 + 1;
    if (key >= sf::Keyboard::Numpad1 && key <= sf::Keyboard::Numpad8)
        return key - sf::Keyboard::Numpad1 + 1;
    return 0;
}

} // namespace

const sf::Color OperatorWindow::backgroundColor(18, 20, 24);
const sf::FloatRect OperatorWindow::mapArea(12.f, 44.f, 776.f, 664.f);
const sf::FloatRect OperatorWindow::logArea(804.f, 536.f, 464.f, 172.f);

OperatorWindow::OperatorWindow(Operator& console)
    : console(console), map(font), inviteShown(false), refreshed(false), shownRevision(0),
      logScroll(0)
{
}

bool OperatorWindow::load(const std::string& fontPath)
{
    if (!font.loadFromFile(fontPath))
        return false;
    map.setArea(mapArea);
    buildButtons();
    status = sf::Text("", font, 18);
    status.setPosition(12.f, 10.f);
    status.setFillColor(sf::Color(220, 220, 220));
    banner = sf::Text("", font, 22);
    banner.setPosition(levelColumn, 8.f);
    note = sf::Text("", font, 14);
    note.setPosition(levelColumn, 390.f);
    note.setFillColor(sf::Color(200, 200, 200));
    figures = sf::Text("", font, 15);
    figures.setPosition(levelColumn, 434.f);
    figures.setFillColor(sf::Color(230, 230, 230));
    logPanel.setSize(sf::Vector2f(logArea.width, logArea.height));
    logPanel.setPosition(logArea.left, logArea.top);
    logPanel.setFillColor(sf::Color(10, 12, 14));
    log = sf::Text("", font, 14);
    log.setPosition(logArea.left + 4.f, logArea.top + 4.f);
    log.setFillColor(sf::Color(190, 220, 190));
    log.setLineSpacing(0.95f);
    refresh();
    return true;
}

void OperatorWindow::run()
{
    window.create(
        sf::VideoMode(static_cast<unsigned>(canvasWidth), static_cast<unsigned>(canvasHeight), 32),
        "Kestrivon Operator", sf::Style::Default);
    window.setFramerateLimit(30);
    fitView(window.getSize().x, window.getSize().y);
    while (window.isOpen())
        frame();
}

void OperatorWindow::setBeside(Beside beside)
{
    this->beside = std::move(beside);
}

void OperatorWindow::setInvite(const std::vector<std::string>& urls)
{
    invite.setLinks(font, urls, mapArea);
}

void OperatorWindow::frame()
{
    const std::vector<std::string>& lines = console.update();
    if (beside)
        beside(lines);
    sf::Event event;
    while (window.pollEvent(event))
        handleEvent(event);
    if (!window.isOpen())
        return;
    refresh();
    window.clear(backgroundColor);
    draw(window);
    window.display();
}

void OperatorWindow::handleEvent(const sf::Event& event)
{
    switch (event.type) {
    case sf::Event::Closed:
        window.close();
        break;
    case sf::Event::Resized:
        fitView(event.size.width, event.size.height);
        break;
    case sf::Event::MouseButtonPressed: {
        if (event.mouseButton.button != sf::Mouse::Left)
            break;
        sf::Vector2f point =
            window.mapPixelToCoords(sf::Vector2i(event.mouseButton.x, event.mouseButton.y));
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            if (buttons[i].contains(point))
                perform(static_cast<int>(i));
        }
        int door = map.doorAt(point, console);
        if (door > 0)
            console.act({OperatorAction::Kind::Door, door});
        break;
    }
    case sf::Event::MouseWheelScrolled: {
        // The wheel over the log scrolls back through older lines.
        sf::Vector2f point = window.mapPixelToCoords(
            sf::Vector2i(event.mouseWheelScroll.x, event.mouseWheelScroll.y));
        if (!logArea.contains(point))
            break;
        int lines = static_cast<int>(console.getLog().getLines().size());
        logScroll =
            std::max(0, std::min(lines - static_cast<int>(logLines),
                                 logScroll + static_cast<int>(event.mouseWheelScroll.delta)));
        log.setString(logText());
        break;
    }
    case sf::Event::KeyPressed: {
        sf::Keyboard::Key key = event.key.code;
        if (key >= sf::Keyboard::F1 && key <= sf::Keyboard::F7)
            perform(FirstLevel + (key - sf::Keyboard::F1));
        else if (event.key.shift && key >= sf::Keyboard::Num3 && key <= sf::Keyboard::Num7)
            perform(FirstLocate + (key - sf::Keyboard::Num3));
        else if (doorKey(key) > 0)
            console.act({OperatorAction::Kind::Door, doorKey(key)});
        else if (key == sf::Keyboard::Return)
            perform(Start);
        else if (key == sf::Keyboard::S)
            perform(Scan);
        else if (key == sf::Keyboard::K)
            perform(Shock);
        else if (key == sf::Keyboard::P)
            perform(PowerOn);
        else if (key == sf::Keyboard::E)
            perform(EndGame);
        else if (key == sf::Keyboard::W)
            inviteShown = !inviteShown && !invite.isEmpty();
        break;
    }
    default:
        break;
    }
}

void OperatorWindow::perform(int action)
{
    if (action < 0 || action >= ActionCount)
        return;
    console.act(actionOf(action));
    refresh();
}

void OperatorWindow::refresh()
{
    if (refreshed && console.getRevision() == shownRevision)
        return;
    refreshed = true;
    shownRevision = console.getRevision();

    for (int level = 0; level < LevelCatalogue::count; ++level) {
        bool available = console.getCatalogue().getPlan(level).isAvailable();
        // An unavailable level can still be chosen: the note then says what is wrong with it.
        buttons[static_cast<std::size_t>(FirstLevel + level)].setLabel(
            std::string(LevelCatalogue::getName(level)) + (available ? "" : " (n/a)"));
    }
    for (int action = 0; action < ActionCount; ++action) {
        bool lit = action == PowerOn ? console.isPowerDown()
                                     : action == FirstLevel + console.getSelected();
        buttons[static_cast<std::size_t>(action)].setState(
            console.refusal(actionOf(action)).empty(), lit);
    }
    status.setString((console.hasGameLeft() ? "game disconnected; " : "") +
                     console.getStatusLine());
    if (console.isPowerDown()) {
        banner.setString("POWER DOWN");
        banner.setFillColor(sf::Color(255, 70, 60));
    } else {
        banner.setString(console.getResult());
        banner.setFillColor(sf::Color(250, 210, 90));
    }

    std::string why = console.getStartNote();
    if (why.empty())
        why = "Doors: click one on the plan or press its number (1-" +
              std::to_string(Cell::DoorPairs) + ") to close or open it.";
    note.setString(wrapped(why, noteColumns));
    figures.setString(figuresText());
    log.setString(logText());
    map.refresh(console);
}

void OperatorWindow::draw(sf::RenderTarget& target) const
{
    target.draw(logPanel);
    map.draw(target);
    for (const ConsoleButton& button : buttons)
        button.draw(target);
    target.draw(status);
    target.draw(banner);
    target.draw(note);
    target.draw(figures);
    target.draw(log);
    if (inviteShown)
        invite.draw(target);
}

const MapView& OperatorWindow::getMapView() const
{
    return map;
}

void OperatorWindow::buildButtons()
{
    buttons.clear();
    for (int level = 0; level < LevelCatalogue::count; ++level)
        buttons.emplace_back(
            font, sf::FloatRect(levelColumn, buttonTop + level * buttonPitch, 224.f, buttonHeight),
            LevelCatalogue::getName(level), levelKeys[level]);
    const char* const actions[][2] = {
        {"Start", "Enter"}, {"Scan", "S"}, {"Shock", "K"}, {"Power on", "P"}, {"End game", "E"}};
    float top = buttonTop;
    for (const auto& action : actions) {
        buttons.emplace_back(font, sf::FloatRect(actionColumn, top, 228.f, buttonHeight), action[0],
                             action[1]);
        top += buttonPitch;
    }
    for (int object = Cell::FirstObject; object <= Cell::LastObject; ++object) {
        buttons.emplace_back(font, sf::FloatRect(actionColumn, top, 228.f, buttonHeight),
                             "Locate object " + std::to_string(object),
                             "Shift+" + std::to_string(object));
        top += buttonPitch;
    }
}

void OperatorWindow::fitView(unsigned width, unsigned height)
{
    // Letterbox the canvas so the plan keeps square cells at any window size.
    float scale = std::min(width / canvasWidth, height / canvasHeight);
    float viewWidth = canvasWidth * scale / static_cast<float>(std::max(1u, width));
    float viewHeight = canvasHeight * scale / static_cast<float>(std::max(1u, height));
    sf::View view(sf::FloatRect(0.f, 0.f, canvasWidth, canvasHeight));
    view.setViewport(
        sf::FloatRect((1.f - viewWidth) / 2.f, (1.f - viewHeight) / 2.f, viewWidth, viewHeight));
    window.setView(view);
}

std::string OperatorWindow::figuresText() const
{
    const Ledger& ledger = console.getLedger();
    const ScoreEntry& counts = ledger.getFigures();
    const Match& match = console.getMatch();
    return "Bills " + formatMoney(ledger.getBills()) + "    Loot worth " +
           formatMoney(ledger.revenue()) + "\nDoor open  " + std::to_string(counts.getDoorOpen()) +
           "    Door close " + std::to_string(counts.getDoorClose()) + "\nScan       " +
           std::to_string(counts.getScan()) + "    Detection  " +
           std::to_string(counts.getDetection()) + "\nShock      " +
           std::to_string(counts.getShock()) + "    Reboot     " +
           std::to_string(counts.getReboot()) + "\nSteps      " + std::to_string(match.getSteps()) +
           "    Objects    " + std::to_string(match.getTaken().size()) + " of " +
           std::to_string(Cell::ObjectCount);
}

std::string OperatorWindow::logText() const
{
    const std::deque<std::string>& lines = console.getLog().getLines();
    std::size_t last = lines.size() - std::min(lines.size(), static_cast<std::size_t>(logScroll));
    std::size_t first = last > logLines ? last - logLines : 0;
    std::string text;
    for (std::size_t i = first; i < last; ++i) {
        text += lines[i].size() > logColumns ? lines[i].substr(0, logColumns - 1) + "~" : lines[i];
        text += '\n';
    }
    return text;
}
