#include "gui/editor/form_xian.h"

#include "gui/editor/strings.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kelto::gui {

namespace {

constexpr std::array<TLineStyle, 3> kStyles{TLineStyle::lsStraight, TLineStyle::lsElbowHorizontal,
                                            TLineStyle::lsElbowVertical};

const std::array<QString, 3>& StyleCaptions()
{
    static const std::array<QString, 3> captions{editor_strings::kXianStraight,
                                                 editor_strings::kXianElbowHorizontal,
                                                 editor_strings::kXianElbowVertical};
    return captions;
}

constexpr std::array<const char*, 3> kIconFiles{
    ":/wire_styles/straight.xpm", ":/wire_styles/elbow_horizontal.xpm", ":/wire_styles/elbow_vertical.xpm"};

} // namespace

TFormXian::TFormXian(QWidget* parent) : TFixedDialog(parent)
{
    setObjectName(QStringLiteral("FormXian"));
    setWindowTitle(editor_strings::kXianCaption);

    auto* group = new QGroupBox(editor_strings::kXianGroup, this);
    auto* choices = new QGridLayout(group);
    for (size_t i = 0; i < kStyles.size(); ++i) {
        const int row = static_cast<int>(i);
        RadioButtons[i] = new QRadioButton(group);
        RadioButtons[i]->setObjectName(QStringLiteral("RadioButton%1").arg(row + 1));
        Icons[i] = new QLabel(group);
        Icons[i]->setPixmap(QPixmap(QString::fromLatin1(kIconFiles[i])));
        Labels[i] = new QLabel(StyleCaptions()[i], group);
        Labels[i]->setObjectName(QStringLiteral("Label%1").arg(row + 1));
        for (QLabel* clickable : {Icons[i], Labels[i]})
            clickable->installEventFilter(this);
        choices->addWidget(RadioButtons[i], row, 0);
        choices->addWidget(Icons[i], row, 1);
        choices->addWidget(Labels[i], row, 2);
    }
    choices->setColumnStretch(2, 1);

    Button1 = new QPushButton(editor_strings::kXianOk, this);
    Button2 = new QPushButton(editor_strings::kXianCancel, this);
    Button3 = new QPushButton(editor_strings::kXianDelete, this);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, [this] { CloseWith(TModalResult::mrOk); });
    connect(Button2, &QPushButton::clicked, this, [this] { CloseWith(TModalResult::mrCancel); });
    connect(Button3, &QPushButton::clicked, this, [this] { CloseWith(TModalResult::mrNo); });

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {Button1, Button2, Button3})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
}

// Label1Click .. Label3Click: the label and the icon check their radio button.
bool TFormXian::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease)
        for (size_t i = 0; i < kStyles.size(); ++i)
            if (watched == Labels[i] || watched == Icons[i]) {
                RadioButtons[i]->setChecked(true);
                return true;
            }
    return TFixedDialog::eventFilter(watched, event);
}

void TFormXian::CheckStyle(TLineStyle style)
{
    for (size_t i = 0; i < kStyles.size(); ++i)
        if (kStyles[i] == style)
            RadioButtons[i]->setChecked(true);
}

TWireDialogAnswer TFormXian::Answer() const
{
    TWireDialogAnswer answer;
    answer.Result = ModalResult();
    for (size_t i = 0; i < kStyles.size(); ++i)
        if (RadioButtons[i]->isChecked())
            answer.Style = kStyles[i];
    return answer;
}

TWireDialogAnswer TFormXian::Execute(TLineStyle current)
{
    CheckStyle(current);
    ShowModal();
    return Answer();
}

} // namespace kelto::gui
