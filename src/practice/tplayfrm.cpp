#include "tplayfrm.h"

#include "bookchooser.h"
#include "core/codecs.h"
#include "core/ulib.h"
#include "curtain.h"
#include "input/accentkeys.h"
#include "input/imeswitch.h"
#include "input/russianfield.h"
#include "input/truspad.h"
#include "ipa/ipafonts.h"
#include "platform/platformservices.h"
#include "platform/windowframes.h"
#include "questionarea.h"
#include "reactions.h"
#include "reviewhistory.h"
#include "tbikofrm.h"
#include "tprogressfrm.h"
#include "widgets/exactfields.h"
#include "widgets/fixedcolours.h"
#include "widgets/messagebox.h"

#include <QAction>
#include <QCheckBox>
#include <QDateTime>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

constexpr int kWindowFontPixels = 15;
constexpr QSize kMinimumSize{670, 570};
constexpr int kDefaultWidth = 740;
// Window height and question area height, normal and in the small screen layout.
constexpr int kDefaultHeight = 640;
constexpr int kSmallHeight = 570;
constexpr int kQuestionArea = 321;
constexpr int kSmallQuestionArea = 289;
constexpr int kReactionDelayMs = 500;
constexpr int kPadWidth = 460;

} // namespace

TPlayFrm::TPlayFrm(QWidget *mainWindow, ReviewHistory *history)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_main(mainWindow)
    , m_history(history)
{
    setObjectName(QStringLiteral("PlayFrm"));
    setWindowTitle(QStringLiteral("練習場"));
    QFont font = JapaneseFont(QStringLiteral("Yu Gothic UI"));
    font.setPixelSize(kWindowFontPixels);
    setFont(font);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_chooser = new BookChooser(this);
    layout->addWidget(m_chooser);
    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setHandleWidth(2);
    m_splitter->setChildrenCollapsible(false);
    m_area = new QuestionArea(m_splitter);
    m_area->setMinimumHeight(kSmallQuestionArea);
    m_splitter->addWidget(m_area);
    m_splitter->addWidget(buildBottomArea());
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    layout->addWidget(m_splitter, 1);
    m_curtain = new Curtain(m_area);
    buildAnswerField();
    connectParts();
    m_resultTimer.setSingleShot(true);
    m_resultTimer.setInterval(kReactionDelayMs);
    connect(&m_resultTimer, &QTimer::timeout, this, &TPlayFrm::ResultTimerTimer);
    addKey(Qt::Key_F1, &TPlayFrm::leaveToWordBooks);
    addKey(Qt::Key_F11, &TPlayFrm::pressEdit);
    addKey(Qt::Key_F12, &TPlayFrm::endProgram);
    m_chooser->SubFunction2();
    if (m_main)
        m_main->hide();
}

TPlayFrm::~TPlayFrm()
{
    CloseBikoFrm();
}

// The window's Russian pad centred between two columns of one width: "アクセント記号を除く"
// at the left, "No:" and "加筆する" at the right.
QWidget *TPlayFrm::buildBottomArea()
{
    auto *area = new QWidget(m_splitter);
    auto *row = new QHBoxLayout(area);
    row->setContentsMargins(4, 4, 4, 4);
    auto *leftBox = new QWidget(area);
    auto *left = new QVBoxLayout(leftBox);
    left->setContentsMargins(0, 0, 0, 0);
    m_ignoreAccents = new QCheckBox(QStringLiteral("アクセント記号を除く"), leftBox);
    m_ignoreAccents->setObjectName(QStringLiteral("CheckBox2"));
    m_ignoreAccents->setChecked(Usr.AcIgnoreFlg);
    left->addWidget(m_ignoreAccents);
    left->addStretch();
    row->addWidget(leftBox);
    m_padPanel = new QWidget(area);
    m_padPanel->setObjectName(QStringLiteral("Panel4"));
    m_padPanel->setMaximumWidth(kPadWidth);
    auto *padLayout = new QVBoxLayout(m_padPanel);
    padLayout->setContentsMargins(0, 0, 0, 0);
    m_pad = new TRusPad(m_padPanel);
    m_pad->setObjectName(QStringLiteral("RusPad1"));
    m_pad->syncAccentCheck();
    m_pad->setAccentCheckEnabled(false);
    padLayout->addWidget(m_pad);
    row->addWidget(m_padPanel, 1);
    auto *rightBox = new QWidget(area);
    auto *right = new QVBoxLayout(rightBox);
    right->setContentsMargins(0, 0, 0, 0);
    auto *numberRow = new QHBoxLayout;
    auto *numberLabel = PlainLabel(QStringLiteral("No:"), rightBox);
    m_number = new QLineEdit(rightBox);
    m_number->setObjectName(QStringLiteral("Edit8"));
    m_number->setAccessibleName(QStringLiteral("No"));
    m_number->setReadOnly(true);
    m_number->setFocusPolicy(Qt::NoFocus);
    m_number->setFixedWidth(64);
    SetFixedBackground(m_number, QPalette::Base, palette().color(QPalette::Button));
    numberLabel->setBuddy(m_number);
    numberRow->addWidget(numberLabel);
    numberRow->addWidget(m_number);
    right->addLayout(numberRow);
    m_edit = new QPushButton(QStringLiteral("加筆する\nF11"), rightBox);
    m_edit->setObjectName(QStringLiteral("KeyButton4"));
    m_edit->setEnabled(false);
    m_edit->setMinimumHeight(48);
    right->addWidget(m_edit);
    m_progress = new QPushButton(QStringLiteral("学習の記録"), rightBox);
    m_progress->setObjectName(QStringLiteral("ProgressButton"));
    m_progress->setAutoDefault(false);
    m_progress->setFocusPolicy(Qt::TabFocus);
    right->addWidget(m_progress);
    right->addStretch();
    row->addWidget(rightBox);
    const int side = qMax(leftBox->sizeHint().width(), rightBox->sizeHint().width());
    leftBox->setFixedWidth(side);
    rightBox->setFixedWidth(side);
    return area;
}

// The answer field types the active Russian layout, with the accent keys and the pad's Shift
// rule; Enter in it judges.
void TPlayFrm::buildAnswerField()
{
    QLineEdit *answer = m_area->answerField();
    AccentKeys::install(answer, m_pad);
    RussianField::install(answer);
    answer->installEventFilter(this);
}

void TPlayFrm::addKey(Qt::Key key, void (TPlayFrm::*slot)())
{
    auto *action = new QAction(this);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, slot);
    addAction(action);
}

void TPlayFrm::connectParts()
{
    connect(m_chooser, &BookChooser::leaveRequested, this, &TPlayFrm::leaveToWordBooks);
    connect(m_chooser, &BookChooser::quitRequested, this, &TPlayFrm::endProgram);
    connect(m_chooser, &BookChooser::folderChanged, this, [this] {
        InitCurtain();
        refreshPlan();
        if (reviewing())
            setUpReview();
    });
    // A review was set up already when the class's folder button was pressed.
    connect(m_chooser, &BookChooser::classSettled, this, [this] {
        if (reviewing())
            return;
        m_quiz.choose();
        m_curtain->startButton()->setEnabled(false);
        InitCurtain();
    });
    connect(m_chooser, &BookChooser::modeChanged, this, &TPlayFrm::modeChanged);
    connect(m_progress, &QPushButton::clicked, this, &TPlayFrm::showProgress);
    connect(m_chooser, &BookChooser::bookPicked, this, [this](int line) {
        InitCurtain();
        SetUpStudy(line);
    });
    connect(m_curtain->startButton(), &QPushButton::clicked, this, &TPlayFrm::KeyButton1Click);
    connect(m_curtain, &Curtain::opened, this, &TPlayFrm::curtainOpened);
    connect(m_area->judgeButton(), &QPushButton::clicked, this, &TPlayFrm::KeyButton3Click);
    connect(m_area->nextButton(), &QPushButton::clicked, this, &TPlayFrm::KeyButton2Click);
    connect(m_edit, &QPushButton::clicked, this, &TPlayFrm::KeyButton4Click);
    connect(m_pad, &TRusPad::keyText, this, &TPlayFrm::OutputString);
    connect(m_area->hintBox(), &QCheckBox::clicked, this, [this](bool on) {
        Usr.ShowHintFlg = on;
        m_area->showHint(on, m_quiz.HintStr());
        m_area->answerField()->setFocus();
    });
    connect(m_ignoreAccents, &QCheckBox::toggled, this, [](bool on) { Usr.AcIgnoreFlg = on; });
}

void TPlayFrm::SetUpStudy(int line)
{
    const ChooserBook *picked = m_chooser->bookAt(line);
    if (!picked)
        return;
    QString error;
    std::optional<PractisedBook> book =
        ReadPractisedBook(m_chooser->DogFolder(), picked->fileName, error);
    if (!book) {
        ShowWarning(
            QStringLiteral("単語帳「%1」を読み込めませんでした。\n%2").arg(picked->title, error),
            this);
        setUpFailed(kPickBookPrompt.toString());
        return;
    }
    book->classRoom = Usr.PClassRoom;
    book->bookFolder = Usr.PFIndex;
    m_quiz.SetUpStudy(std::move(*book));
    if (!m_quiz.playable()) {
        setUpFailed(EmptyBookNotice(*picked));
        return;
    }
    readyToStart();
}

// A book or a review is set up: no question shown yet, START waiting.
void TPlayFrm::readyToStart()
{
    m_number->clear();
    SetFixedBackground(m_number, QPalette::Base, palette().color(QPalette::Button));
    m_edit->setEnabled(false);
    m_chooser->DrawRemaining(m_quiz.Remaining());
    m_curtain->startButton()->setEnabled(true);
    m_curtain->startButton()->setFocus();
}

bool TPlayFrm::reviewing() const
{
    return m_chooser->mode() != PracticeMode::InOrder;
}

// Another choice of what to ask ends the game on display; the chosen book is picked again
// from the chooser.
void TPlayFrm::modeChanged()
{
    m_resultTimer.stop();
    InitCurtain();
    if (!reviewing()) {
        setUpFailed(kPickBookPrompt.toString());
        return;
    }
    refreshPlan();
    setUpReview();
}

// The folder's books against their history now; without one only the chosen book is asked.
void TPlayFrm::refreshPlan()
{
    const bool available = m_history && m_history->isOpen();
    m_progress->setEnabled(available);
    if (!available) {
        m_plan = {};
        m_chooser->disableReviews(
            QStringLiteral("学習の記録を開けないため、単語帳を選んで練習します。"));
        return;
    }
    const QHash<qint64, EntrySchedule> schedules =
        m_history->folderSchedules(ReviewFolderName(Usr.PClassRoom, Usr.PFIndex));
    if (!m_history->isOpen()) {
        ShowWarning(m_history->lastFailure(), this);
        refreshPlan();
        return;
    }
    m_plan = ReviewPlan(m_chooser->books(), schedules, QDateTime::currentMSecsSinceEpoch());
    m_chooser->showReviewCounts(int(m_plan.due().size()), int(m_plan.weak().size()));
}

// The due or weak entries of the folder as one book, asked in the plan's order.
void TPlayFrm::setUpReview()
{
    const QList<PlannedEntry> &entries = m_plan.entries(m_chooser->mode());
    if (entries.isEmpty()) {
        setUpFailed(m_chooser->mode() == PracticeMode::Due
                        ? QStringLiteral("今日復習する単語はありません。")
                        : QStringLiteral("このフォルダにはまだ練習した単語がありません。"));
        return;
    }
    QString error;
    std::optional<PractisedBook> book =
        ReadReviewBook(m_chooser->DogFolder(), m_chooser->books(), entries, error);
    if (!book) {
        setUpFailed(error);
        return;
    }
    book->classRoom = Usr.PClassRoom;
    book->bookFolder = Usr.PFIndex;
    const int count = int(book->StudySL.size());
    m_quiz.SetUpStudy(std::move(*book));
    m_chooser->showNotice(QStringLiteral("%1語を出題します。STARTで始めます。").arg(count));
    readyToStart();
}

// Nothing can start: the chooser says why.
void TPlayFrm::setUpFailed(const QString &notice)
{
    m_quiz.choose();
    m_curtain->startButton()->setEnabled(false);
    m_chooser->showNotice(notice);
}

void TPlayFrm::InitCurtain()
{
    CloseBikoFrm();
    coverQuestionArea();
    m_chooser->showPrompt();
}

void TPlayFrm::CloseCurtain()
{
    coverQuestionArea();
    m_curtain->startButton()->setEnabled(true);
    m_curtain->startButton()->setFocus();
}

// Under the curtain nothing of the question area can be reached.
void TPlayFrm::coverQuestionArea()
{
    m_curtain->cover();
    m_doorClosed = true;
    m_area->centralPanel()->setEnabled(false);
}

// START: a game from its first question while the curtain opens. After an interruption (another
// folder picked) it is the interrupted game again. A reaction still due belonged to the game
// before, which is now over.
void TPlayFrm::KeyButton1Click()
{
    if (!m_doorClosed || !m_quiz.playable())
        return;
    m_resultTimer.stop();
    m_quiz.start();
    m_area->InitGamen();
    Sys.PTitle.clear();
    Sys.Pnumber = -1;
    m_area->PrepareGamen(m_quiz.book().type);
    ShowQuest();
    m_area->DrawProgress(m_quiz.ProIdx(), m_quiz.EnoughFlg());
    m_doorClosed = false;
    m_area->centralPanel()->setEnabled(true);
    m_curtain->startOpening();
    m_area->answerField()->setFocus();
}

void TPlayFrm::curtainOpened()
{
    m_quiz.curtainOpened();
    m_chooser->DrawRemaining(m_quiz.Remaining());
    m_area->answerField()->setFocus();
}

// The display of the question the quiz has just taken.
void TPlayFrm::ShowQuest()
{
    const QuestionOrigin origin = m_quiz.originOf(m_quiz.RandIdx());
    if (origin.type != m_area->type())
        m_area->PrepareGamen(origin.type);
    m_area->showQuestion(m_quiz.GetQuest(m_quiz.RandIdx()));
    m_area->showHint(Usr.ShowHintFlg, m_quiz.HintStr());
    showQuestionNumber(origin.number);
    m_edit->setEnabled(true);
    CloseBikoFrm();
}

void TPlayFrm::showQuestionNumber(int index)
{
    SetFixedBackground(m_number, QPalette::Base, Qt::white);
    m_number->setText(QString::number(index + 1));
}

// "判定" and Enter in the answer field.
void TPlayFrm::KeyButton3Click()
{
    if (m_quiz.RandIdx() < 0)
        return;
    const QString typed = m_area->answerField()->text();
    const bool firstJudgement = m_quiz.FirstJudgeFlg();
    const Judgement judgement = m_quiz.judge(typed, Usr.AcIgnoreFlg);
    recordJudgement(firstJudgement, judgement.right, typed);
    m_area->DrawScore(m_quiz.Score());
    m_area->showJudgement(judgement.right, m_quiz.CAnswer(),
                          PracticeQuiz::AnswerForm(typed, Usr.AcIgnoreFlg));
    if (!m_quiz.Biko().isEmpty())
        ShowBikoFrm(m_quiz.Biko());
    // After a game the counts over the mode selector take in its judgements.
    if (m_quiz.ProIdx() == PracticeQuiz::kQuestionsPerGame) {
        m_resultTimer.start();
        if (firstJudgement)
            refreshPlan();
    }
    m_area->nextButton()->setEnabled(true);
    m_area->nextButton()->setFocus();
}

// A failure is said once; the practice goes on without the history.
// An entry asked again in the same game was reviewed at its first asking.
void TPlayFrm::recordJudgement(bool firstJudgement, bool right, const QString &typed)
{
    if (!m_history || !m_history->isOpen() || m_quiz.askedBeforeInGame())
        return;
    const WordEntry entry = m_quiz.GetQuest(m_quiz.RandIdx());
    const QuestionOrigin origin = m_quiz.originOf(m_quiz.RandIdx());
    const ReviewKey key{ReviewFolderName(m_quiz.book().classRoom, m_quiz.book().bookFolder),
                        origin.title, entry[EntryField::Russian], entry[EntryField::Japanese]};
    const QString error = m_history->recordJudgement(key, origin.fileName, firstJudgement, right,
                                                     typed, QDateTime::currentMSecsSinceEpoch());
    if (error.isEmpty())
        return;
    ShowWarning(error, this);
    refreshPlan();
}

void TPlayFrm::showProgress()
{
    if (!m_history || !m_history->isOpen())
        return;
    TProgressFrm progress(*m_history, Usr.PClassRoom, Usr.PFIndex, this);
    progress.exec();
    m_area->answerField()->setFocus();
}

// NEXT: the next question, or after a game the next game or a new pass when confirmed. The
// finished game's reaction, when still due, is dropped only once the user has confirmed;
// declined, it still follows.
void TPlayFrm::KeyButton2Click()
{
    switch (m_quiz.nextStep()) {
    case PracticeQuiz::NextStep::NextQuestion:
        m_area->hideJudgement();
        m_quiz.nextQuestion();
        ShowQuest();
        m_area->DrawProgress(m_quiz.ProIdx(), m_quiz.EnoughFlg());
        break;
    case PracticeQuiz::NextStep::OfferNextGame:
        if (!Confirm(QStringLiteral("次の勝負に行きますか？"), this))
            return;
        m_resultTimer.stop();
        m_area->InitGamen();
        Sys.PTitle.clear();
        Sys.Pnumber = -1;
        m_quiz.nextGame();
        ShowQuest();
        m_chooser->DrawRemaining(m_quiz.Remaining());
        m_area->DrawProgress(m_quiz.ProIdx(), m_quiz.EnoughFlg());
        break;
    case PracticeQuiz::NextStep::OfferNewPass:
        if (m_quiz.book().keepOrder) {
            if (!Confirm(QStringLiteral("復習する単語を集め直して、もう一度やりますか？"), this))
                return;
            m_resultTimer.stop();
            CloseBikoFrm();
            CloseCurtain();
            refreshPlan();
            if (reviewing())
                setUpReview();
            else
                setUpFailed(kPickBookPrompt.toString());
            return;
        }
        if (!Confirm(QStringLiteral("同じ単語帳を順番を変えて最初からやりますか？"), this))
            return;
        m_resultTimer.stop();
        m_quiz.newPass();
        m_chooser->DrawRemaining(m_quiz.Remaining());
        CloseBikoFrm();
        CloseCurtain();
        return;
    }
    m_area->nextButton()->setEnabled(false);
    m_area->answerField()->setFocus();
}

// "加筆する" and F11: the asked entry into the main window's modify dialog. The practice class
// and folder become the practised book's again, as the chooser may show another folder by now.
void TPlayFrm::KeyButton4Click()
{
    if (m_quiz.book().title.isEmpty() || m_quiz.RandIdx() < 0)
        return;
    const QuestionOrigin origin = m_quiz.originOf(m_quiz.RandIdx());
    Sys.PTitle = origin.title;
    Sys.Pnumber = origin.number + 1;
    Usr.PClassRoom = m_quiz.book().classRoom;
    Usr.PFIndex = m_quiz.book().bookFolder;
    Q_EMIT editRequested();
}

void TPlayFrm::pressEdit()
{
    if (m_edit->isEnabled())
        KeyButton4Click();
}

void TPlayFrm::OutputString(const QString &text)
{
    QLineEdit *answer = m_area->answerField();
    answer->insert(text);
    answer->setFocus();
}

// At most one remarks window: a later judgement refills the one that is open. It opens
// without taking the focus, so Enter still reaches NEXT.
void TPlayFrm::ShowBikoFrm(const QString &text)
{
    if (!m_biko) {
        m_biko = new TBikoFrm(this);
        m_biko->setAttribute(Qt::WA_ShowWithoutActivating);
    }
    m_biko->setRemarks(CRDecoder(text));
    m_biko->show();
    m_biko->raise();
}

TBikoFrm *TPlayFrm::remarksWindow() const
{
    return m_biko;
}

// The closed window is destroyed once control returns to the event loop; it is let go now,
// so the next remarks never reuse a window on its way out.
void TPlayFrm::CloseBikoFrm()
{
    if (m_biko)
        m_biko->close();
    m_biko = nullptr;
}

void TPlayFrm::ResultTimerTimer()
{
    m_area->showReaction(ReactionFor(m_quiz.Score(), m_random));
}

void TPlayFrm::leaveToWordBooks()
{
    close();
}

void TPlayFrm::endProgram()
{
    TerminateFlg = true;
    close();
}

bool TPlayFrm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_area->answerField()) {
        if (event->type() == QEvent::FocusIn)
            LoadGaIme();
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                KeyButton3Click();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Escape does not end a game: the window is left by "単語帳", "終了" or its close box.
void TPlayFrm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TPlayFrm::showEvent(QShowEvent *event)
{
    if (!m_placed) {
        m_placed = true;
        placeWindow();
        m_pad->showLowerPage();
    }
    QDialog::showEvent(event);
}

// The stored place and size are the whole window's, frame included. The first opening in a
// run is centred on the screen at the default size.
void TPlayFrm::placeWindow()
{
    const QMargins frame =
        PlatformServices::windowFrames().frameExtents(winId()).value_or(QMargins());
    setMinimumSize(kMinimumSize.shrunkBy(frame));
    QRect outer;
    if (Usr.PlayLeft < 0 || Usr.PlayTop < 0) {
        const QSize size(kDefaultWidth, Usr.SmallPCFlg ? kSmallHeight : kDefaultHeight);
        const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        const QSize area = screen ? screen->size() : size;
        outer = QRect(
            QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2), size);
    } else {
        outer = QRect(Usr.PlayLeft, Usr.PlayTop, Usr.PlayWidth, Usr.PlayHeight);
    }
    setGeometry(outer.marginsRemoved(frame));
    const int question = Usr.SmallPCFlg ? kSmallQuestionArea : kQuestionArea;
    m_splitter->setSizes({question, qMax(1, m_splitter->height() - question)});
}

void TPlayFrm::storeGeometry()
{
    const QRect outer = frameGeometry();
    Usr.PlayLeft = outer.left();
    Usr.PlayTop = outer.top();
    Usr.PlayWidth = outer.width();
    Usr.PlayHeight = outer.height();
}

void TPlayFrm::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    followResize();
}

// The progress redrawn for the new width, the curtain over the whole question area while it
// is closed, and START under "加筆する".
void TPlayFrm::followResize()
{
    layout()->activate();
    if (m_doorClosed)
        m_curtain->cover();
    m_curtain->setStartLeft(m_area->mapFrom(this, m_edit->mapTo(this, QPoint())).x());
}

void TPlayFrm::done(int result)
{
    m_resultTimer.stop();
    m_curtain->cover();
    storeGeometry();
    CloseBikoFrm();
    LoadInitIme();
    // Shown before this window hides, so the program never lacks a window.
    if (m_main && !TerminateFlg)
        m_main->show();
    QDialog::done(result);
}
