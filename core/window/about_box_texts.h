#pragma once

#include <string_view>

namespace kordex {

// The clients whose replays Kordex reads: the first and the newest it was checked against.
// The caption of the main window names them.
inline constexpr std::string_view kWindowCaption = "Kordex World of Tanks 8.11 - 2.3 от 17.02.2017";

// What the About dialog TAboutBox shows, line by line.
inline constexpr std::string_view kAboutCaption = "О программе";
inline constexpr std::string_view kAboutTitle = "Kordex World of Tanks";
inline constexpr std::string_view kAboutLines[] = {
    "Программа написана для облегчения  сбора статы по ротным боям клана",
    "Поддерживаемые версии WoT: 8.11-2.3",
    "Найти последнюю версию, оставить отзывы или",
    "предложения можно тут:",
};
inline constexpr std::string_view kAboutOkButton = "OK";

// The two link labels and the discussion pages they open in the browser.
inline constexpr std::string_view kAboutClanThreadLabel = "Тема программы на сайте клана";
inline constexpr std::string_view kAboutClanThreadAddress = "http://ru.wargaming.net/clans/";
inline constexpr std::string_view kAboutForumThreadLabel = "Тема программы на официальном форуме";
inline constexpr std::string_view kAboutForumThreadAddress =
    "http://forum.worldoftanks.ru/index.php?app=core&module=search&do=search&search_term=Kordex";

}  // namespace kordex
