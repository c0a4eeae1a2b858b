#include "single/single_end_text.h"

namespace kordex {

std::string SingleEndStatusLine(SingleEnd end) {
    switch (end) {
        case SingleEnd::Completed:
            return {};
        case SingleEnd::DialogCancelled:
            return "Реплей не выбран: файла по указанному пути нет.";
        case SingleEnd::OpenFailed:
            return "Файл реплея не удалось открыть для чтения.";
        case SingleEnd::HeaderFailed:
            return "Заголовок реплея не читается: файл поврежден или это не реплей.";
        case SingleEnd::OldVersion:
            return "Реплей записан клиентом версии 0.8.10 или более ранней: такие не "
                   "поддерживаются.";
        case SingleEnd::HeaderVehiclesNotJson:
            return "Список участников боя в заголовке реплея не читается.";
        case SingleEnd::Incomplete:
            return "Бой не досмотрен до конца: в реплее нет результатов боя.";
        case SingleEnd::ResultsFailed:
            return "Результаты боя в реплее не читаются.";
        case SingleEnd::FragsOrPlayersFailed:
            return "Список игроков в результатах боя не читается.";
        case SingleEnd::FinalVehiclesNotJson:
            return "Состав команд на конец боя в реплее не читается.";
    }
    return {};
}

}  // namespace kordex
