#include "quillmap/quillmapdlg.h"

#include "dialogkit/filedialog.h"
#include "dialogkit/picturestore.h"
#include "quillmap/infolayer.h"
#include "quillmap/newlayer.h"
#include "quillmap/start.h"
#include "resources/quillmap/pictures.h"
#include "resources/quillmap/windows.h"

#include <QFile>

using namespace quillmapresources;
using quillmap::CursorMove;

namespace {

const char *const CloseQuestion =
    "Внимание при выходе из программы могут быть утеряны несохраненные данные. "
    "Вы уверену, что хотите выйте из программы?";

std::filesystem::path pathFromName(const QString &name)
{
    return std::filesystem::path(QFile::encodeName(name).toStdString());
}

} // namespace

CAboutDlg::CAboutDlg(QWidget *parent)
    : Dialog(Dialog100, parent)
{
}

CQuillmapDlg::CQuillmapDlg(quillmap::EditorState &state, QWidget *parent)
    : Dialog(Dialog102, parent),
      m_state(state),
      m_board(*this, cellControlId, tilePictureId),
      m_hIcon(dialogkit::PictureStore::icon(ProgramIcon))
{
    onCommand(RefreshButton, &CQuillmapDlg::DrawBoard);
    onCommand(CursorLeftCommand, [this] { OnMove(CursorMove::Left); });
    onCommand(CursorDownCommand, [this] { OnMove(CursorMove::Down); });
    onCommand(CursorUpCommand, [this] { OnMove(CursorMove::Up); });
    onCommand(CursorRightCommand, [this] { OnMove(CursorMove::Right); });
    onCommand(BrushWallCommand, [this] { OnBrush(1); });
    onCommand(BrushPlayerCommand, [this] { OnBrush(2); });
    onCommand(BrushItemPlaceCommand, [this] { OnBrush(3); });
    onCommand(BrushFloorCommand, [this] { OnBrush(4); });
    onCommand(BrushItemCommand, [this] { OnBrush(5); });
    onCommand(LevelDataButton, &CQuillmapDlg::OnLevelData);
    onCommand(SaveLevelButton, &CQuillmapDlg::SaveLevel);
    onCommand(CloseProgramButton, &CQuillmapDlg::OnCloseProgram);
    onCommand(NewLevelButton, &CQuillmapDlg::NewLevel);
    onCommand(OpenLevelButton, &CQuillmapDlg::OpenLevel);
}

bool CQuillmapDlg::OnInitDialog()
{
    Dialog::OnInitDialog();
    LoadAccelerators(Accelerator138);
    m_state.clearBoard();

    CStart Start;
    if (Start.DoModal() == dialogkit::IdOk) {
        switch (Start.m_choice) {
        case CStart::NewLevelChoice: NewLevel(); break;
        case CStart::EditLevelChoice: OpenLevel(); break;
        // Leaving from the start dialog asks nothing: the framework's own Cancel, not ours.
        case CStart::LeaveChoice: Dialog::OnCancel(); break;
        default: break;
        }
    }

    AppendSystemMenuItem(AboutCommand, QString::fromUtf8(String101));
    SetIcon(m_hIcon);
    m_board.layOut();
    DrawBoard();
    return true;
}

void CQuillmapDlg::OnCancel()
{
    if (confirmClose())
        Dialog::OnCancel();
}

void CQuillmapDlg::OnSysCommand(int id)
{
    if ((id & 0xFFF0) == AboutCommand) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    }
}

void CQuillmapDlg::OnTimer(int)
{
    DrawBoard();
    KillTimer(RedrawTimer);
}

void CQuillmapDlg::DrawBoard()
{
    m_board.show(m_state.board());
}

void CQuillmapDlg::LoadLevel(const std::filesystem::path &path)
{
    m_state.loadLevel(path);
}

void CQuillmapDlg::NewLevel()
{
    CNewLayer NewLayer;
    if (NewLayer.DoModal() != dialogkit::IdOk)
        return;
    LoadLevel(quillmap::scratchLevelPath());
    SetTimer(RedrawTimer, RedrawDelayMs);
}

void CQuillmapDlg::OpenLevel()
{
    const std::optional<QString> name = dialogkit::openFileName(
        this, QStringLiteral("Открыть файл."), QStringLiteral("Файл Уровня"), QStringLiteral("*.lay"));
    if (!name) {
        MessageBox(QStringLiteral("Вы не выбрали файл, или выбрали поврежденный файл."));
        NewLevel();
        return;
    }
    LoadLevel(pathFromName(*name));
    SetTimer(RedrawTimer, RedrawDelayMs);
}

void CQuillmapDlg::SaveLevel()
{
    switch (m_state.checkSave()) {
    case quillmap::SaveCheck::PlayerCountWrong:
        MessageBox(QStringLiteral(
            "Игра не может быть без игрока или с колличеством больше одного игрока."));
        return;
    case quillmap::SaveCheck::ItemCountMismatch:
        MessageBox(QStringLiteral(
            "Колличество предметов и колличество мест под предметы должно быть одинакого."));
        return;
    case quillmap::SaveCheck::Ok:
        break;
    }
    const std::optional<QString> name = dialogkit::saveFileName(
        this, QStringLiteral("Сохранение Уровня"), QStringLiteral("Файл Уровня (.lay)"),
        QStringLiteral("*.lay"), QStringLiteral(".lay"));
    if (!name)
        return;
    const std::error_code error = m_state.saveLevel(pathFromName(*name));
    DrawBoard();
    if (error)
        MessageBox(QStringLiteral("Не удалось сохранить уровень."));
}

void CQuillmapDlg::OnMove(CursorMove move)
{
    if (!m_state.moveCursor(move)) {
        MessageBox(QStringLiteral("Этот блок не льзя менять!"));
        return;
    }
    DrawBoard();
}

void CQuillmapDlg::OnBrush(int digit)
{
    m_state.selectBrush(digit);
    SetDlgItemPicture(MarkerPicture, tilePictureId(m_state.brushCode()));
}

void CQuillmapDlg::OnLevelData()
{
    CInfoLayer InfoLayer;
    InfoLayer.setLevelInfo(m_state.levelInfo());
    if (InfoLayer.DoModal() == dialogkit::IdOk)
        m_state.setLevelInfo(InfoLayer.levelInfo());
    DrawBoard();
}

void CQuillmapDlg::OnCloseProgram()
{
    if (confirmClose())
        EndDialog(dialogkit::IdOk);
}

bool CQuillmapDlg::confirmClose()
{
    return MessageBox(QString::fromUtf8(CloseQuestion), dialogkit::MessageButtons::OkCancel)
           == dialogkit::IdOk;
}
