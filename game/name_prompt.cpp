#include "game/name_prompt.hpp"

#include "world/map_file.hpp"

NamePrompt::Answer NamePrompt::handle(const sf::Event& event) {
    if (event.type == sf::Event::KeyPressed) {
        switch (event.key.code) {
            case sf::Keyboard::Escape: return Answer::cancelled;
            case sf::Keyboard::Return:
                if (!valid_map_name(text_, hint_)) return Answer::typing;
                return Answer::confirmed;
            case sf::Keyboard::BackSpace:
                if (!text_.empty()) text_.pop_back();
                hint_.clear();
                replacing_ = false;
                return Answer::typing;
            default: return Answer::typing;
        }
    }
    if (event.type != sf::Event::TextEntered) return Answer::typing;
    const uint32_t c = event.text.unicode;
    if (c < 32 || c == 127) return Answer::typing;  // Return, BackSpace, Tab and Ctrl+letter come as keys
    const std::string typed = c < 128 ? std::string(1, static_cast<char>(c)) : std::string("?");
    std::string why;
    if (!valid_map_name(text_ + typed, why)) {
        hint_ = why;
        return Answer::typing;
    }
    text_ += typed;
    hint_.clear();
    replacing_ = false;
    return Answer::typing;
}

void NamePrompt::ask_to_replace(std::string question) {
    hint_ = std::move(question);
    replacing_ = true;
}
