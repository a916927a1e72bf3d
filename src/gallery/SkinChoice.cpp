#include "gallery/SkinChoice.h"

namespace qivyun::gallery {

SkinChoice ChooseSkin(const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.front().empty()) return {};
    if (arguments.front() == "--no-skin") return {SkinChoice::Source::None, {}};
    return {SkinChoice::Source::File, arguments.front()};
}

// The codes are the engine's LoadResult numbers.
std::string LoadResultMeaning(int result) {
    switch (result) {
    case 0:
        return "已载入";
    case 1:
        return "皮肤内容无法读取，或颜色调整值超出范围";
    case 2:
        return "皮肤文件不存在、为空或不完整";
    case 3:
        return "没有皮肤数据";
    case 4:
        return "皮肤的图片无法定位或创建";
    case 5:
        return "文件标志、内容大小或压缩数据有误";
    case 6:
        return "皮肤文件的版本不受支持";
    case 8:
        return "皮肤引擎尚未启动";
    default:
        return "未知的结果";
    }
}

}  // namespace qivyun::gallery
