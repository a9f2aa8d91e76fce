#include "ui/settings/OwnFormatsWindow.h"

#include "profiles/OwnFormatStartingPoints.h"
#include "profiles/TimeTemplate.h"
#include "ui/common/AppContext.h"
#include "ui/common/ChangeOnly.h"
#include "ui/common/EnglishTexts.h"
#include "ui/common/WindowLook.h"
#include "ui_OwnFormatsWindow.h"

#include <QFontDatabase>
#include <QMenu>

#include <algorithm>
#include <span>
#include <string>

namespace zv {

namespace {

constexpr char kContext[] = "zv::OwnFormatsWindow";

constexpr int kSampleCheckMs = 250; // the sample follows the clock's second
constexpr std::size_t kMostFieldWordShown = 24; // of a misspelt field quoted back to the owner

constexpr char kNoName[] = QT_TRANSLATE_NOOP("zv::OwnFormatsWindow", "(без названия)");
constexpr char kTooMany[] = QT_TRANSLATE_NOOP("zv::OwnFormatsWindow", "Форматов больше 20: этот лишний, удалите его.");
constexpr char kNoFieldWarning[] = QT_TRANSLATE_NOOP(
    "zv::OwnFormatsWindow", "Внимание: в содержимом нет ни одного поля, поэтому файл никогда не меняется.");

const char* nameProblemText(NameProblem problem)
{
    switch (problem) {
    case NameProblem::None:
        break;
    case NameProblem::Empty:
        return QT_TRANSLATE_NOOP("zv::OwnFormatsWindow", "Название не задано.");
    case NameProblem::NotUtf8:
        return QT_TRANSLATE_NOOP("zv::OwnFormatsWindow", "Название записано не в UTF-8.");
    case NameProblem::ControlCharacter:
        return QT_TRANSLATE_NOOP("zv::OwnFormatsWindow", "В названии есть управляющий символ.");
    case NameProblem::TooLong:
        return QT_TRANSLATE_NOOP("zv::OwnFormatsWindow", "Название длиннее 32 символов.");
    case NameProblem::Blank:
        return QT_TRANSLATE_NOOP("zv::OwnFormatsWindow", "Название состоит из одних пробелов.");
    case NameProblem::BuiltInModel:
        return QT_TRANSLATE_NOOP("zv::OwnFormatsWindow", "Так называется одна из встроенных моделей.");
    case NameProblem::Taken:
        return QT_TRANSLATE_NOOP("zv::OwnFormatsWindow", "Это название уже есть у формата выше в списке.");
    }
    return nullptr;
}

const char* fileNameProblemText(FileNameProblem problem)
{
    switch (problem) {
    case FileNameProblem::None:
        break;
    case FileNameProblem::Empty:
        return QT_TRANSLATE_NOOP("zv::OwnFormatsWindow", "Имя файла не задано.");
    case FileNameProblem::NotUtf8:
        return QT_TRANSLATE_NOOP("zv::OwnFormatsWindow", "Имя файла записано не в UTF-8.");
    case FileNameProblem::ControlCharacter:
        return QT_TRANSLATE_NOOP("zv::OwnFormatsWindow", "В имени файла есть управляющий символ.");
    case FileNameProblem::Blank:
        return QT_TRANSLATE_NOOP("zv::OwnFormatsWindow", "Имя файла состоит из одних пробелов.");
    case FileNameProblem::DotName:
        return QT_TRANSLATE_NOOP("zv::OwnFormatsWindow", "Имя файла не может быть «.» или «..».");
    case FileNameProblem::Separator:
        return QT_TRANSLATE_NOOP(
            "zv::OwnFormatsWindow", "В имени файла есть разделитель папок (/ или \\): файл пишется в корень карты.");
    case FileNameProblem::ForbiddenCharacter:
        return QT_TRANSLATE_NOOP(
            "zv::OwnFormatsWindow", "В имени файла есть символ, который карты не принимают: : * ? \" < > |");
    case FileNameProblem::TrailingSpaceOrDot:
        return QT_TRANSLATE_NOOP(
            "zv::OwnFormatsWindow", "Имя файла кончается пробелом или точкой: Windows их отбросит.");
    case FileNameProblem::DeviceName:
        return QT_TRANSLATE_NOOP("zv::OwnFormatsWindow", "Это имя устройства Windows (CON, NUL, COM1 и подобные).");
    case FileNameProblem::TooLong:
        return QT_TRANSLATE_NOOP("zv::OwnFormatsWindow", "Имя файла длиннее 64 байт.");
    }
    return nullptr;
}

const char* braceProblemText(TemplateError::Kind kind)
{
    switch (kind) {
    case TemplateError::Kind::UnknownField:
        return QT_TRANSLATE_NOOP("zv::OwnFormatsWindow", "Содержимое, строка %1, столбец %2: неизвестное поле %3.");
    case TemplateError::Kind::UnclosedBrace:
        return QT_TRANSLATE_NOOP(
            "zv::OwnFormatsWindow", "Содержимое, строка %1, столбец %2: «{» без «}»; сама скобка пишется {{.");
    case TemplateError::Kind::LoneClosingBrace:
        break;
    }
    return QT_TRANSLATE_NOOP(
        "zv::OwnFormatsWindow", "Содержимое, строка %1, столбец %2: «}» без «{»; сама скобка пишется }}.");
}

const char* templateProblemText(TemplateProblem problem)
{
    switch (problem) {
    case TemplateProblem::None:
    case TemplateProblem::BadBrace: // said with its place, by braceProblemText
        break;
    case TemplateProblem::TextTooLong:
        return QT_TRANSLATE_NOOP("zv::OwnFormatsWindow", "Содержимое длиннее 2000 байт.");
    case TemplateProblem::TooLongForCameraFile:
        return QT_TRANSLATE_NOOP(
            "zv::OwnFormatsWindow", "Содержимое слишком длинное для файла камеры: больше 512 байт.");
    }
    return nullptr;
}

// The misspelt field as written, from its brace to the closing one, shortened if long.
QString fieldAt(const std::string& templateText, std::size_t offset)
{
    const std::size_t close = templateText.find('}', offset);
    QString word = QString::fromUtf8(templateText.substr(offset, close == std::string::npos ? 0 : close - offset + 1));
    if (word.size() > static_cast<qsizetype>(kMostFieldWordShown))
        word = word.left(kMostFieldWordShown - 1) + QChar(u'…');
    return word;
}

// The name for a list, among `formats`, that no other format has: the starting point's own,
// or it with a number, so adding one starting point twice makes no clash to clear up first.
std::string freeName(const std::string& name, const std::vector<OwnFormat>& formats)
{
    const auto taken = [&formats](const std::string& candidate) {
        return std::any_of(formats.begin(), formats.end(),
            [&candidate](const OwnFormat& format) { return sameOwnFormatName(format.name, candidate); });
    };
    if (name.empty() || !taken(name))
        return name;
    for (std::size_t number = 2;; ++number) {
        std::string candidate = name + " (" + std::to_string(number) + ')';
        if (!taken(candidate))
            return candidate;
    }
}

// The composed file as the sample shows it: each line on a line of its own, the last one's
// break left out, since it shows as nothing.
QString sampleLines(const std::string& composed, LineBreak lineBreak)
{
    QString shown = QString::fromUtf8(composed);
    const QString lineEnd = QString::fromLatin1(lineBreakBytes(lineBreak));
    if (shown.endsWith(lineEnd))
        shown.chop(lineEnd.size());
    return shown.replace(lineEnd, QStringLiteral("\n"));
}

// The forms mark the controls that show a time file's bytes, where columns must line up.
void giveFixedPitch(QWidget* window)
{
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->property("fixedPitch").toBool())
            continue;
        QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSize(widget->font().pointSize() + 1); // a fixed face reads small at the forms' size
        widget->setFont(font);
    }
}

} // namespace

OwnFormatsWindow::OwnFormatsWindow(AppContext& context) : context_(context)
{
    setModal(true);
    sampleTimer_.setInterval(kSampleCheckMs);
}

// Built when first opened: most owners never open it, and its controls' code stays out of
// every start's memory until then.
void OwnFormatsWindow::buildForm()
{
    ui_ = std::make_unique<Ui::OwnFormatsWindow>();
    ui_->setupUi(this);
    applyWindowLook(this, context_.pictures);
    giveFixedPitch(this);
    if (context_.isEnglish()) {
        const EnglishTexts english(context_.english);
        ui_->retranslateUi(this);
    }
    buildAddMenu();
    connectControls();
}

OwnFormatsWindow::~OwnFormatsWindow() = default;

void OwnFormatsWindow::connectControls()
{
    connect(ui_->FormatList, &QListWidget::currentRowChanged, this, &OwnFormatsWindow::FormatListChange);
    connect(ui_->RemoveButton, &QPushButton::clicked, this, &OwnFormatsWindow::RemoveButtonClick);
    connect(ui_->NameEdit, &QLineEdit::textChanged, this, &OwnFormatsWindow::NameEditChange);
    connect(ui_->FileNameEdit, &QLineEdit::textChanged, this, &OwnFormatsWindow::FileNameEditChange);
    connect(ui_->TemplateEdit, &QPlainTextEdit::textChanged, this, &OwnFormatsWindow::TemplateEditChange);
    connect(ui_->LineBreakList, &QComboBox::activated, this, &OwnFormatsWindow::LineBreakListChange);
    connect(ui_->BreakAfterLastBox, &QCheckBox::toggled, this, &OwnFormatsWindow::BreakAfterLastBoxChange);
    connect(ui_->SaveButton, &QPushButton::clicked, this, &OwnFormatsWindow::SaveButtonClick);
    connect(ui_->CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(&sampleTimer_, &QTimer::timeout, this, &OwnFormatsWindow::SampleTimerTick);
}

// The starting points in the owner's language, the empty one last, as the core lists them.
void OwnFormatsWindow::buildAddMenu()
{
    addMenu_ = new QMenu(this);
    addMenu_->setObjectName(QStringLiteral("AddMenu"));
    const auto startingPoints = ownFormatStartingPoints();
    for (std::size_t k = 0; k < startingPoints.size(); ++k) {
        const std::string_view name = context_.isEnglish() ? startingPoints[k].english : startingPoints[k].russian;
        QAction* action = addMenu_->addAction(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
        connect(action, &QAction::triggered, this, [this, k] { AddMenuChoice(k); });
    }
    ui_->AddButton->setMenu(addMenu_);
}

std::optional<std::vector<OwnFormat>> OwnFormatsWindow::edit(const std::vector<OwnFormat>& formats)
{
    if (!ui_)
        buildForm();
    formats_ = formats;
    showList();
    ui_->FormatList->setCurrentRow(formats_.empty() ? -1 : 0);
    showChosen();
    ui_->FormatList->setFocus();
    centreOnScreen(this);
    sampleTimer_.start();
    const int result = exec();
    sampleTimer_.stop();
    if (result != QDialog::Accepted)
        return std::nullopt;
    return formats_;
}

QString OwnFormatsWindow::text(const char* source) const
{
    return userText(context_.english, context_.isEnglish(), kContext, source);
}

OwnFormat* OwnFormatsWindow::chosen()
{
    const int row = ui_->FormatList->currentRow();
    return row >= 0 && static_cast<std::size_t>(row) < formats_.size() ? &formats_[static_cast<std::size_t>(row)]
                                                                       : nullptr;
}

// One row per format; the chosen row is left to the caller, which knows what it wants chosen.
void OwnFormatsWindow::showList()
{
    const QSignalBlocker quiet(ui_->FormatList);
    ui_->FormatList->clear();
    for (std::size_t k = 0; k < formats_.size(); ++k)
        ui_->FormatList->addItem(QString());
}

void OwnFormatsWindow::showChosen()
{
    const OwnFormat* format = chosen();
    const bool any = format != nullptr;
    filling_ = true;
    ui_->NameEdit->setText(any ? QString::fromStdString(format->name) : QString());
    ui_->FileNameEdit->setText(any ? QString::fromStdString(format->fileName) : QString());
    ui_->TemplateEdit->setPlainText(any ? QString::fromStdString(format->templateText) : QString());
    ui_->LineBreakList->select(any && format->lineBreak == LineBreak::Lf ? 1 : 0);
    ui_->BreakAfterLastBox->setChecked(!any || format->breakAfterLast);
    filling_ = false;
    for (QWidget* field : {static_cast<QWidget*>(ui_->NameEdit), static_cast<QWidget*>(ui_->FileNameEdit),
             static_cast<QWidget*>(ui_->TemplateEdit), static_cast<QWidget*>(ui_->LineBreakList),
             static_cast<QWidget*>(ui_->BreakAfterLastBox)})
        changeOnly::setEnabled(field, any);
    showState();
}

void OwnFormatsWindow::showState()
{
    const QBrush invalid(ui_->ProblemLabel->property("textColour").value<QColor>());
    for (std::size_t k = 0; k < formats_.size(); ++k) {
        QListWidgetItem* item = ui_->FormatList->item(static_cast<int>(k));
        const std::string& name = formats_[k].name;
        item->setText(name.empty() ? text(kNoName) : QString::fromStdString(name));
        const bool ok = k < kMostOwnFormats && checkOwnFormat(formats_[k], std::span(formats_).first(k)).ok();
        item->setData(Qt::ForegroundRole, ok ? QVariant() : QVariant(invalid));
    }
    changeOnly::setEnabled(ui_->AddButton, formats_.size() < kMostOwnFormats);
    changeOnly::setEnabled(ui_->RemoveButton, chosen() != nullptr);
    changeOnly::setEnabled(ui_->SaveButton, !firstInvalidOwnFormat(formats_).has_value());
    showProblems();
    showSample();
}

void OwnFormatsWindow::showSample()
{
    Clock& clock = context_.seams.clock;
    sampleSecond_ = clock.currentSecsSinceEpoch();
    const OwnFormat* format = chosen();
    const TemplateParse parse = TimeTemplate::parse(format != nullptr ? format->templateText : std::string());
    if (format == nullptr || !parse.ok()) {
        changeOnly::setText(ui_->SampleLabel, QString());
        return;
    }
    const QDateTime now = clock.localTime(sampleSecond_);
    const DateTimeParts moment(now.date().year(), now.date().month(), now.date().day(), now.time().hour(),
        now.time().minute(), now.time().second());
    std::string composed;
    parse.parsed.compose(moment, "Y", format->lineBreak, format->breakAfterLast, composed);
    changeOnly::setText(ui_->SampleLabel, sampleLines(composed, format->lineBreak));
}

// Errors in the form's colour; the one warning, which does not stop a save, in a quieter one.
void OwnFormatsWindow::showProblems()
{
    const int row = ui_->FormatList->currentRow();
    QString problems = chosen() != nullptr ? problemsOf(static_cast<std::size_t>(row)) : QString();
    const bool error = !problems.isEmpty();
    if (!error && chosen() != nullptr && checkOwnFormat(*chosen()).hasNoField)
        problems = text(kNoFieldWarning);
    QPalette palette = ui_->ProblemLabel->palette();
    palette.setColor(
        QPalette::WindowText, ui_->ProblemLabel->property(error ? "textColour" : "warningColour").value<QColor>());
    ui_->ProblemLabel->setPalette(palette);
    changeOnly::setText(ui_->ProblemLabel, problems);
}

// Every problem of the format in row `k`, one line per field, checked as a save checks it:
// its name against the formats above it.
QString OwnFormatsWindow::problemsOf(std::size_t k) const
{
    const OwnFormat& format = formats_[k];
    const OwnFormatCheck check = checkOwnFormat(format, std::span(formats_).first(k));
    QStringList lines;
    if (k >= kMostOwnFormats)
        lines << text(kTooMany);
    if (const char* said = nameProblemText(check.name))
        lines << text(said);
    if (const char* said = fileNameProblemText(check.fileName))
        lines << text(said);
    if (const char* said = templateProblemText(check.templateProblem))
        lines << text(said);
    if (check.templateProblem == TemplateProblem::BadBrace && check.templateError) {
        const TemplateError& error = *check.templateError;
        QString said = text(braceProblemText(error.kind)).arg(error.line).arg(error.column);
        if (error.kind == TemplateError::Kind::UnknownField)
            said = said.arg(fieldAt(format.templateText, error.offset));
        lines << said;
    }
    return lines.join(u'\n');
}

void OwnFormatsWindow::FormatListChange(int) { showChosen(); }

void OwnFormatsWindow::AddMenuChoice(std::size_t startingPoint)
{
    if (formats_.size() >= kMostOwnFormats)
        return;
    OwnFormat format = ownFormatStartingPoints()[startingPoint].format;
    format.name = freeName(format.name, formats_);
    formats_.push_back(std::move(format));
    showList();
    ui_->FormatList->setCurrentRow(static_cast<int>(formats_.size()) - 1); // shows it
    // The owner names it next, most likely.
    ui_->NameEdit->setFocus();
    ui_->NameEdit->selectAll();
}

void OwnFormatsWindow::RemoveButtonClick()
{
    const int row = ui_->FormatList->currentRow();
    if (chosen() == nullptr)
        return;
    formats_.erase(formats_.begin() + row);
    showList();
    ui_->FormatList->setCurrentRow(std::min(row, static_cast<int>(formats_.size()) - 1));
    showChosen(); // also when the list became empty, which changes no row
    ui_->FormatList->setFocus();
}

void OwnFormatsWindow::NameEditChange(const QString& name)
{
    if (OwnFormat* format = chosen(); format != nullptr && !filling_) {
        format->name = name.toStdString();
        showState();
    }
}

void OwnFormatsWindow::FileNameEditChange(const QString& fileName)
{
    if (OwnFormat* format = chosen(); format != nullptr && !filling_) {
        format->fileName = fileName.toStdString();
        showState();
    }
}

void OwnFormatsWindow::TemplateEditChange()
{
    if (OwnFormat* format = chosen(); format != nullptr && !filling_) {
        format->templateText = ui_->TemplateEdit->toPlainText().toStdString();
        showState();
    }
}

void OwnFormatsWindow::LineBreakListChange(int row)
{
    if (OwnFormat* format = chosen(); format != nullptr) {
        format->lineBreak = row == 1 ? LineBreak::Lf : LineBreak::CrLf;
        showState();
    }
}

void OwnFormatsWindow::BreakAfterLastBoxChange(bool checked)
{
    if (OwnFormat* format = chosen(); format != nullptr && !filling_) {
        format->breakAfterLast = checked;
        showState();
    }
}

void OwnFormatsWindow::SaveButtonClick()
{
    if (!firstInvalidOwnFormat(formats_))
        accept();
}

void OwnFormatsWindow::SampleTimerTick()
{
    if (context_.seams.clock.currentSecsSinceEpoch() != sampleSecond_)
        showSample();
}

} // namespace zv
