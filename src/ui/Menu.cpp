#include "ui/Menu.hpp"

#include "core/Game.hpp"
#include "core/Letterbox.hpp"
#include "score/InfoBox.hpp"
#include "score/SaveButton.hpp"
#include "score/StatsButton.hpp"
#include "ui/BackButton.hpp"
#include "ui/FullScreenButton.hpp"
#include "ui/KeyButton.hpp"
#include "ui/SlideBare.hpp"
#include "ui/StateButton.hpp"
#include "ui/TextBox.hpp"

Menu::Menu(Game* game) : currentPage(Page::Main), game(game) {}

void Menu::build()
{
    background.setBackTexture(game->getTextures().get("menuBG"));
    background.setFrontTexture(game->getTextures().get("menuFG"));
    const sf::Font* font = &game->getFonts().get("corps");
    Sfx* sfx = &game->getSfx();
    Score* score = &game->getScore();
    Player& player = game->getPlayer();
    Network& network = game->getNetwork();
    auto newPage = [&]() -> MenuPage& {
        pages.push_back(std::make_unique<MenuPage>(font));
        return *pages.back();
    };

    MenuPage& main = newPage();
    main.add(std::make_unique<StateButton>("Joining", &currentPage, Page::Join, sfx));
    main.add(std::make_unique<StateButton>("Settings", &currentPage, Page::Settings, sfx));
    main.add(std::make_unique<StateButton>("Stats", &currentPage, Page::Stats, sfx));
    main.add(std::make_unique<StateButton>("Quit", &game->getState(), GameState::Quit, sfx));

    MenuPage& join = newPage();
    join.add(std::make_unique<TextBox>("IP :", &network.getAddress(), 15, sfx));
    join.add(std::make_unique<StateButton>("Join", &network.getStatus(), NetworkStatus::Connecting,
                                           sfx));
    join.add(std::make_unique<BackButton>(&currentPage, Page::Main, sfx));

    MenuPage& settings = newPage();
    settings.add(std::make_unique<SlideBare>("Musique Volume", &game->getMusic(), sfx));
    settings.add(std::make_unique<SlideBare>("SFX Volume", sfx, sfx));
    settings.add(std::make_unique<StateButton>("Controls", &currentPage, Page::Controls, sfx));
    settings.add(std::make_unique<FullScreenButton>("Full Screen \"OFF\"", &game->getWindow(), sfx));
    settings.add(std::make_unique<BackButton>(&currentPage, Page::Main, sfx));

    MenuPage& controls = newPage();
    controls.add(std::make_unique<KeyButton>("Up :", &player.getKey("up"), sfx));
    controls.add(std::make_unique<KeyButton>("Left :", &player.getKey("left"), sfx));
    controls.add(std::make_unique<KeyButton>("Right :", &player.getKey("right"), sfx));
    controls.add(std::make_unique<KeyButton>("Interact :", &player.getKey("action"), sfx));
    controls.add(std::make_unique<BackButton>(&currentPage, Page::Settings, sfx));

    MenuPage& stats = newPage();
    stats.add(std::make_unique<InfoBox>());
    for (int slot = 0; slot < Score::TableSize; ++slot)
        stats.add(std::make_unique<StatsButton>(&score->tableEntry(slot), sfx, false));
    stats.add(std::make_unique<BackButton>(&currentPage, Page::Main, sfx));

    MenuPage& endOfGame = newPage();
    endOfGame.add(std::make_unique<InfoBox>());
    endOfGame.add(std::make_unique<TextBox>("Name :", &score->currentEntry().getName(), 8, sfx));
    endOfGame.add(std::make_unique<StatsButton>(&score->currentEntry(), sfx, true));
    endOfGame.add(std::make_unique<SaveButton>(&currentPage, Page::Stats, score, sfx));
}

void Menu::update()
{
    const sf::Vector2i pointer = pointerInPicture(game->getWindow());
    background.update(pointer.x, pointer.y);
}

void Menu::handleEvent(const sf::Event& event)
{
    handleEvent(event, pointerInPicture(game->getWindow()));
}

void Menu::handleEvent(const sf::Event& event, sf::Vector2i pointer)
{
    // The page is picked once: a widget that switches pages does not stop the others of this
    // page from seeing the same event.
    if (MenuPage* current = page())
        current->handleEvent(event, pointer);
}

void Menu::draw(sf::RenderTarget& target)
{
    background.draw(target);
    if (MenuPage* current = page())
        current->draw(target);
}

void Menu::setPage(int page) { currentPage = page; }
int Menu::getPage() const { return currentPage; }

MenuPage* Menu::page()
{
    if (currentPage < 0 || currentPage >= static_cast<int>(pages.size()))
        return nullptr;
    return pages[static_cast<std::size_t>(currentPage)].get();
}
