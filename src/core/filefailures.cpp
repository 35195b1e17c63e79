#include "filefailures.h"

#include <cerrno>

namespace {

struct ErrnoText {
    int number;
    const char16_t *text;
};

constexpr ErrnoText kErrnoTexts[] = {
    {ENOSPC, u"ディスクの空き容量が足りません。"},
    {EFBIG, u"ファイルの大きさの上限を超えました。"},
    {EDQUOT, u"ディスクの使用量の上限（クォータ）を超えました。"},
    {EACCES, u"アクセスが許可されていません。"},
    {EPERM, u"この操作は許可されていません。"},
    {EROFS, u"読み取り専用のディスクには書き込めません。"},
    {ENOENT, u"ファイルまたはフォルダが見つかりません。"},
    {ENOTDIR, u"パスの途中にフォルダでないものがあります。"},
    {EISDIR, u"同じ名前のフォルダがあります。"},
    {EEXIST, u"同じ名前のファイルがあります。"},
    {ENAMETOOLONG, u"ファイル名が長すぎます。"},
    {ELOOP, u"リンクが多すぎるか、循環しています。"},
    {EIO, u"ディスクの読み書きに失敗しました（入出力エラー）。"},
    {EBUSY, u"ファイルが使用中です。"},
    {ETXTBSY, u"ファイルが使用中です。"},
    {EMFILE, u"開いているファイルが多すぎます。"},
    {ENFILE, u"開いているファイルが多すぎます。"},
    {ENOMEM, u"メモリが足りません。"},
};

const char16_t *fileErrorText(QFileDevice::FileError error)
{
    switch (error) {
    case QFileDevice::ReadError:
        return u"ファイルを読み込めませんでした。";
    case QFileDevice::WriteError:
        return u"ファイルに書き込めませんでした。";
    case QFileDevice::FatalError:
        return u"ファイルの処理中に回復できないエラーが起きました。";
    case QFileDevice::ResourceError:
        return u"ディスクの空き容量などが足りません。";
    case QFileDevice::OpenError:
        return u"ファイルを開けませんでした。";
    case QFileDevice::AbortError:
        return u"操作が中止されました。";
    case QFileDevice::TimeOutError:
        return u"時間切れになりました。";
    case QFileDevice::RemoveError:
        return u"ファイルを削除できませんでした。";
    case QFileDevice::RenameError:
        return u"ファイルの名前を変更できませんでした。";
    case QFileDevice::PositionError:
        return u"ファイルの読み書きの位置を移せませんでした。";
    case QFileDevice::ResizeError:
        return u"ファイルの大きさを変えられませんでした。";
    case QFileDevice::PermissionsError:
        return u"ファイルのアクセス権を変えられませんでした。";
    case QFileDevice::CopyError:
        return u"ファイルをコピーできませんでした。";
    case QFileDevice::NoError:
    case QFileDevice::UnspecifiedError:
        break;
    }
    return u"原因のわからないエラーが起きました。";
}

} // namespace

QString FileFailureText(int errorNumber, QFileDevice::FileError error)
{
    for (const ErrnoText &row : kErrnoTexts) {
        if (row.number == errorNumber)
            return QString::fromUtf16(row.text);
    }
    return QString::fromUtf16(fileErrorText(error));
}
