#include "SelectorStyleSheet.h"

#include "SelectorControls.h"
#include "SelectorLook.h"

#include <QColor>
#include <QStringList>

namespace kyvo::recordings {

namespace {

QString css(const QColor& colour) {
    return colour.name(QColor::HexRgb);
}

// "#control<id>": the selector of one control by its id.
QString byId(int id) {
    return QLatin1Char('#') + controlName(id);
}

// Replaces the colour placeholders {name} of a rule text.
QString fill(QString text) {
    using namespace look;
    const std::pair<const char*, QColor> colours[] = {
        {"{well}", kWell},         {"{base}", kBase},           {"{panel}", kPanel},
        {"{panelLight}", kPanelLight}, {"{tabIdle}", kTabIdle}, {"{handle}", kScrollHandle},
        {"{edge}", kEdge},         {"{edgeLight}", kEdgeLight}, {"{edgeDark}", kEdgeDark},
        {"{text}", kText},         {"{caption}", kCaption},     {"{faint}", kFaint},
        {"{accent}", kAccent},     {"{accentLight}", kAccentLight}, {"{accentDeep}", kAccentDeep},
        {"{accentInk}", kAccentInk},
    };
    for (const auto& [name, colour] : colours)
        text.replace(QLatin1String(name), css(colour));
    return text;
}

} // namespace

QString selectorStyleSheet() {
    QStringList rules;
    rules << QStringLiteral(
        "QPushButton { color: {text}; padding: 0 10px;"
        "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 {panelLight}, stop:1 {panel});"
        "  border: 1px solid {edge}; border-top-color: {edgeLight}; border-bottom-color: {edgeDark};"
        "  border-radius: 4px; }"
        "QPushButton:hover { border-color: {accentDeep}; color: {accentLight}; }"
        "QPushButton:pressed { background: {well}; border-color: {accentDeep}; }"
        "QPushButton:focus { outline: none; }");
    // "Add to List" is the window's main action: an accent button.
    rules << byId(control::kAddToList)
                 + QStringLiteral(
                     " { color: {accentInk}; font-weight: bold;"
                     "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 {accentLight}, stop:0.08 {accent},"
                     "  stop:1 {accentDeep}); border: 1px solid {accentDeep}; }")
          << byId(control::kAddToList) + QStringLiteral(":hover { color: {accentInk}; border-color: {accentLight}; }")
          << byId(control::kAddToList) + QStringLiteral(":pressed { background: {accentDeep}; }");
    rules << byId(control::kFolderText)
                 + QStringLiteral(" { color: {caption}; background: {well}; border: 1px solid {edgeDark};"
                                  "  border-bottom-color: {edge}; border-radius: 4px; padding: 0 8px; }");
    rules << QStringLiteral(
        "QTabWidget::pane { background: {panel}; border: 1px solid {edge}; border-radius: 6px;"
        "  border-top-left-radius: 0; top: -1px; }"
        "QTabBar::tab { color: {caption}; background: {tabIdle}; border: 1px solid {edge};"
        "  border-bottom: none; border-top-left-radius: 5px; border-top-right-radius: 5px;"
        "  padding: 5px 10px 6px 8px; margin-right: 2px; }"
        "QTabBar::tab:selected { color: {text}; background: {panel}; border-top: 2px solid {accent}; }"
        "QTabBar::tab:hover:!selected { color: {text}; }"
        "QTabBar:focus { outline: none; }");
    rules << QStringLiteral(
        "QListView { background: {well}; border: 1px solid {edgeDark}; border-bottom-color: {edge};"
        "  border-radius: 4px; outline: none; }"
        "QScrollBar:vertical { background: {well}; width: 10px; margin: 3px 2px 3px 0; }"
        "QScrollBar::handle:vertical { background: {handle}; min-height: 28px; border-radius: 3px; }"
        "QScrollBar::handle:vertical:hover, QScrollBar::handle:vertical:pressed { background: {accentDeep}; }"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; border: none; }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }");
    rules << QStringLiteral(
        "QLabel { color: {text}; background: transparent; }"
        "QLabel[counter=\"true\"] { color: {accent}; }"
        "QToolTip { color: {text}; background: {panel}; border: 1px solid {edge}; }");
    return fill(rules.join(QLatin1Char('\n')));
}

} // namespace kyvo::recordings
