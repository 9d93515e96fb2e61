// Typing a map's name for its file: letters, digits, '-' and '_' only.
#pragma once

#include <string>

#include <SFML/Window/Event.hpp>

// Per prompt: opened by the first save of a map, closed by Return or Escape.
class NamePrompt {
public:
    enum class Answer { typing, confirmed, cancelled };

    explicit NamePrompt(std::string start = {}) : text_(std::move(start)) {}
    // Typed characters that a name may hold are added, others are refused
    // with a hint; BackSpace takes the last one off; Return confirms a name
    // that is not empty; Escape cancels.
    Answer handle(const sf::Event& event);
    const std::string& text() const { return text_; }
    // Why the last key did nothing, or what the prompt asks now; empty when all is well.
    const std::string& hint() const { return hint_; }
    // The typed name's file exists: the next Return replaces it, any change to the name asks again.
    void ask_to_replace(std::string question);
    bool replacing() const { return replacing_; }

private:
    std::string text_;
    std::string hint_;
    bool replacing_ = false;
};
