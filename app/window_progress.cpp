#include "window_progress.h"

namespace kordex::app {

void StatusProgress::ShowStatus(const std::string& text) {
    status_.showMessage(QString::fromStdString(text));
    status_.repaint();
}

void StatusProgress::ClearStatus() {
    status_.clearMessage();
    status_.repaint();
}

void StatusProgress::ShowProgress(int maximum) {
    progress_.setRange(0, maximum);
    progress_.setValue(0);
    progress_.show();
    progress_.repaint();
}

void StatusProgress::SetProgress(int position) {
    progress_.setValue(position);
    progress_.repaint();
}

void StatusProgress::HideProgress() {
    progress_.hide();
}

void LibraryScanProgress::Started(int fileCount) {
    filesDone_ = 0;
    shown_.ShowProgress(fileCount);
    sincePaint_.invalidate();
}

void LibraryScanProgress::ReadingFile(const std::string& path) {
    if (sincePaint_.isValid() && sincePaint_.elapsed() < paintIntervalMs_)
        return;
    shown_.ShowStatus("Текущий реплей: " + path);
    shown_.SetProgress(filesDone_);
    showLists_();
    sincePaint_.start();
}

void LibraryScanProgress::Finished() {
    shown_.SetProgress(filesDone_);
    shown_.HideProgress();
    shown_.ClearStatus();
    showLists_();
}

void SeriesRunProgress::ProgressPosition(int position) {
    shown_.SetProgress(position);
    window_.showTables();
}

}  // namespace kordex::app
