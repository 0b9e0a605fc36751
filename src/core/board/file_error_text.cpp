#include "core/board/file_error_text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace kelto {

namespace {

struct TReason {
    int Error;
    const char* Text;
};

// The errors opening, reading, writing and renaming files give.
constexpr TReason kSystemReasons[] = {
    {EPERM, "不允许的操作"},
    {ENOENT, "没有那个文件或目录"},
    {EIO, "输入/输出错误"},
    {ENXIO, "没有那个设备或地址"},
    {EBADF, "错误的文件描述符"},
    {EAGAIN, "资源暂时不可用"},
    {ENOMEM, "无法分配内存"},
    {EACCES, "权限不够"},
    {EBUSY, "设备或资源忙"},
    {EEXIST, "文件已存在"},
    {EXDEV, "无效的跨设备链接"},
    {ENODEV, "没有那个设备"},
    {ENOTDIR, "不是目录"},
    {EISDIR, "是一个目录"},
    {EINVAL, "无效的参数"},
    {ENFILE, "系统中打开的文件过多"},
    {EMFILE, "打开的文件过多"},
    {ETXTBSY, "文本文件忙"},
    {EFBIG, "文件过大"},
    {ENOSPC, "设备上没有空间"},
    {ESPIPE, "非法 seek 操作"},
    {EROFS, "只读文件系统"},
    {EMLINK, "过多的链接"},
    {EPIPE, "断开的管道"},
    {ENAMETOOLONG, "文件名过长"},
    {ELOOP, "符号链接的层数过多"},
    {EOVERFLOW, "对于已定义数据类型来说值过大"},
    {EDQUOT, "超出磁盘限额"},
    {ESTALE, "过旧的文件句柄"},
};

std::string Number(int64_t value)
{
    return std::to_string(value);
}

std::string CodePoint(char32_t code)
{
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(code));
    return text;
}

std::string ReasonText(const TFileResult& failure)
{
    switch (failure.Problem) {
    case TFileProblem::System: return SystemReasonText(failure.SystemError);
    case TFileProblem::TooLarge: return "文件大于 " + Number(failure.Number) + " MB";
    case TFileProblem::TooManyLines: return "文件多于 " + Number(failure.Number) + " 行";
    case TFileProblem::MalformedXml: return "第 " + Number(failure.Number) + " 行不是正确的 XML 格式";
    case TFileProblem::NoElement: return "文件中没有任何 XML 元素";
    case TFileProblem::MissingList: return "文件中没有 " + failure.Name + " 列表";
    case TFileProblem::WireWithoutPoints: return "第 " + Number(failure.Number) + " 条连线没有 POINT 列表";
    case TFileProblem::NotGbk:
        if (failure.Character == 0)
            return "第 " + Number(failure.Number) + " 行含有无效的文字编码";
        return "第 " + Number(failure.Number) + " 行的字符 " + CodePoint(failure.Character) +
               " 无法以 GBK 编码保存";
    case TFileProblem::Other: break;
    }
    return failure.Message;
}

} // namespace

std::string SystemReasonText(int error)
{
    for (const TReason& reason : kSystemReasons)
        if (reason.Error == error)
            return reason.Text;
    return "系统错误 " + Number(error) + "（" + std::strerror(error) + "）";
}

// A problem only Message describes already names the file there.
std::string FileErrorText(const TFileResult& failure)
{
    if (failure.Problem == TFileProblem::Other)
        return "文件操作失败：" + failure.Message;
    switch (failure.Operation) {
    case TFileOperation::Read: return "无法读取文件 " + failure.Path + "：" + ReasonText(failure);
    case TFileOperation::Write: return "无法保存文件 " + failure.Path + "：" + ReasonText(failure);
    case TFileOperation::Unknown: break;
    }
    return "文件操作失败：" + ReasonText(failure);
}

} // namespace kelto
