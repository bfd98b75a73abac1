// The three language tables. The Chinese texts are written as escaped byte strings so that the
// source's own encoding can never change them; each is preceded by what it reads.
#include "app/logic/Texts.h"

namespace kv::app {
namespace {

const LanguageTexts kEnglishTexts = {
    .openCaption = "&Open",
    .openHint = "Open",
    .closeCaption = "&Close",
    .closeHint = "Close",
    .quitCaption = "&Quit",
    .showCaption = "&Show",
    .showHint = "Show",
    .hideCaption = "&Hide",
    .hideHint = "Hide",
    .aboutCaption = "&About",
    .aboutHint = "About",
    .editActionList = "Edit Action List",
    .fileAssociated = "Set File Associate",
    .fileMenu = "&File",
    .viewMenu = "&View",
    .helpMenu = "&Help",
    .actionListFile = "Action.Cfg",
    .editorLabel1 = "Action &List",
    .editorLabel2 = "A&ction",
    .editorLabel3 = "D&escription",
    .editorAdd = "&Add",
    .editorReplace = "&Replace",
    .editorDelete = "&Delete",
    .editorSaveQuit = "&Save&&Quit",
    .mustInput = "The Action Must Input!",
    .unableTo = "is unable to ",
    .associateOk = "Set File Associate Ok!",
    .associateFail = "Set File Associate Fail!",
    .aboutTitle = "About...",
    .notInstalled =
        "Your system have not install Microsoft Agent\r\nPlease download it from website of "
        "Microsoft\r\nor visit kelvorine.example.org to get other infomation",
    .mainFont = "MS Sans Serif,1,9,[],[clWindowText]",
    .editorFont = "MS Sans Serif,1,9,[],[clWindowText]",
    .aboutFont = "MS Sans Serif,1,8,[],[clWindowText]",
    .aboutWebTarget = "http://kelvorine.example.org",
    .aboutBody = "Kelvorine previews Microsoft Agent characters. You may use it and pass it on "
                 "freely.\r\n\r\nTHIS SOFTWARE IS DISTRIBUTED AS IS, WITHOUT WARRANTY OF ANY KIND, "
                 "EXPRESSED OR IMPLIED. YOU USE IT AT YOUR OWN RISK. NEITHER THE AUTHOR NOR THE "
                 "AUTHOR'S AGENTS ARE LIABLE FOR DATA LOSS, DAMAGES, LOSS OF PROFITS OR ANY OTHER "
                 "KIND OF LOSS FROM USING OR MISUSING THIS SOFTWARE.",
};

const LanguageTexts kSimplifiedChineseTexts = {
    // 打开(&F)
    .openCaption = "\xb4\xf2\xbf\xaa(&F)",
    // 打开动画文件
    .openHint = "\xb4\xf2\xbf\xaa\xb6\xaf\xbb\xad\xce\xc4\xbc\xfe",
    // 关闭(&C)
    .closeCaption = "\xb9\xd8\xb1\xd5(&C)",
    // 关闭当前动画
    .closeHint = "\xb9\xd8\xb1\xd5\xb5\xb1\xc7\xb0\xb6\xaf\xbb\xad",
    // 退出(&Q)
    .quitCaption = "\xcd\xcb\xb3\xf6(&Q)",
    // 显示动画(&S)
    .showCaption = "\xcf\xd4\xca\xbe\xb6\xaf\xbb\xad(&S)",
    // 显示动画
    .showHint = "\xcf\xd4\xca\xbe\xb6\xaf\xbb\xad",
    // 隐藏动画(&H)
    .hideCaption = "\xd2\xfe\xb2\xd8\xb6\xaf\xbb\xad(&H)",
    // 隐藏动画
    .hideHint = "\xd2\xfe\xb2\xd8\xb6\xaf\xbb\xad",
    // 关于(&A)
    .aboutCaption = "\xb9\xd8\xd3\xda(&A)",
    // 关于本软件
    .aboutHint = "\xb9\xd8\xd3\xda\xb1\xbe\xc8\xed\xbc\xfe",
    // 编辑动作列表
    .editActionList = "\xb1\xe0\xbc\xad\xb6\xaf\xd7\xf7\xc1\xd0\xb1\xed",
    // 设置文件关联
    .fileAssociated = "\xc9\xe8\xd6\xc3\xce\xc4\xbc\xfe\xb9\xd8\xc1\xaa",
    // 文件(&F)
    .fileMenu = "\xce\xc4\xbc\xfe(&F)",
    // 显示(&V)
    .viewMenu = "\xcf\xd4\xca\xbe(&V)",
    // 帮助(&H)
    .helpMenu = "\xb0\xef\xd6\xfa(&H)",
    .actionListFile = "Action.Sim",
    // 动作列表
    .editorLabel1 = "\xb6\xaf\xd7\xf7\xc1\xd0\xb1\xed",
    // 动作
    .editorLabel2 = "\xb6\xaf\xd7\xf7",
    // 描述
    .editorLabel3 = "\xc3\xe8\xca\xf6",
    // 增加
    .editorAdd = "\xd4\xf6\xbc\xd3",
    // 替换
    .editorReplace = "\xcc\xe6\xbb\xbb",
    // 删除
    .editorDelete = "\xc9\xbe\xb3\xfd",
    // 存盘退出
    .editorSaveQuit = "\xb4\xe6\xc5\xcc\xcd\xcb\xb3\xf6",
    // 动作和说明必须输入!
    .mustInput = "\xb6\xaf\xd7\xf7\xba\xcd\xcb\xb5\xc3\xf7\xb1\xd8\xd0\xeb\xca\xe4\xc8\xeb!",
    // 不会
    .unableTo = "\xb2\xbb\xbb\xe1",
    // 文件关联成功！
    .associateOk = "\xce\xc4\xbc\xfe\xb9\xd8\xc1\xaa\xb3\xc9\xb9\xa6\xa3\xa1",
    // 文件关联失败！
    .associateFail = "\xce\xc4\xbc\xfe\xb9\xd8\xc1\xaa\xca\xa7\xb0\xdc\xa3\xa1",
    // 关于...
    .aboutTitle = "\xb9\xd8\xd3\xda...",
    .notInstalled =
        "\xc4\xe3\xb5\xc4\xb5\xe7\xc4\xd4\xc3\xbb\xd3\xd0\xb0\xb2\xd7\xb0Microsoft "
        "Agent\xd6\xa7\xb3\xd6\xce\xc4\xbc\xfe\r\n\xc7\xeb\xb5\xbd\xce\xa2\xc8\xed\xcd\xf8\xd5\xbe"
        "\xcf\xc2\xd4\xd8MSAgent."
        "exe\r\n\xb0\xb2\xd7\xb0\xba\xf3\xbc\xb4\xbf\xc9\xca\xb9\xd3\xc3\xb1\xbe\xc8\xed\xbc\xfe"
        "\xb2\xe9\xbf\xb4"
        "Agent "
        "Charecter(*.acs)"
        "\xbe\xab\xc1\xe9\xb6\xaf\xbb\xad\xce\xc4\xbc\xfe\xc1\xcb\r\n\xc4\xe3\xd2\xb2\xbf\xc9\xd2"
        "\xd4\xb7\xc3\xce\xcakelvorine.example.org\xbb\xf1\xb5\xc3\xcf\xe0\xb9\xd8\xd0\xc5\xcf\xa2",
    // 宋体,134,9,[],[clWindowText]
    .mainFont = "\xcb\xce\xcc\xe5,134,9,[],[clWindowText]",
    // 宋体,134,9,[],[clWindowText]
    .editorFont = "\xcb\xce\xcc\xe5,134,9,[],[clWindowText]",
    // 宋体,134,9,[],[clWindowText]
    .aboutFont = "\xcb\xce\xcc\xe5,134,9,[],[clWindowText]",
    .aboutWebTarget = "http://kelvorine.example.org/",
    .aboutBody =
        "\xb1\xbe\xc8\xed\xbc\xfe\xd3\xc3\xd3\xda\xb2\xe9\xbf\xb4Microsoft "
        "Agent\xbd\xc7\xc9\xab\xb6\xaf\xbb\xad\xce\xc4\xbc\xfe(*.acs)"
        "\xa3\xac\xb2\xa2\xbf\xc9\xbc\xec\xb2\xe9\xc6\xe4\xd6\xd0\xb0\xfc\xba\xac\xb5\xc4\xb6\xaf"
        "\xd7\xf7\xa1\xa3\xb1\xbe\xc8\xed\xbc\xfe\xca\xc7\xc3\xe2\xb7\xd1\xc8\xed\xbc\xfe\xa3\xac"
        "\xbf\xc9\xd2\xd4\xc8\xce\xd2\xe2\xb4\xab\xb2\xa5\xa1\xa2\xb8\xb4\xd6\xc6\xba\xcd\xca\xb9"
        "\xd3\xc3\xa1\xa3\xd7\xf7\xd5\xdf\xd2\xd1\xb6\xd4\xb1\xbe\xc8\xed\xbc\xfe\xbd\xf8\xd0\xd0"
        "\xb9\xfd\xb2\xe2\xca\xd4\xa3\xac\xb5\xab\xb2\xbb\xb6\xd4\xc6\xe4\xb9\xa6\xc4\xdc\xd7\xf7"
        "\xc8\xce\xba\xce\xb3\xd0\xc5\xb5\xa3\xac\xd2\xb2\xb2\xbb\xb3\xd0\xb5\xa3\xd2\xf2\xca\xb9"
        "\xd3\xc3\xb1\xbe\xc8\xed\xbc\xfe\xb6\xf8\xd2\xfd\xc6\xf0\xb5\xc4\xc8\xce\xba\xce\xce\xca"
        "\xcc\xe2\xb5\xc4\xd4\xf0\xc8\xce\xa1\xa3\xd7\xf7\xd5\xdf\xd4\xda\xb7\xa2\xb2\xbc\xc7\xb0"
        "\xd2\xd1\xb6\xd4\xb1\xbe\xc8\xed\xbc\xfe\xbd\xf8\xd0\xd0\xb9\xfd\xb2\xa1\xb6\xbe\xbc\xec"
        "\xb2\xe9\xa3\xac\xb5\xab\xc8\xed\xbc\xfe\xd4\xda\xb4\xab\xb2\xa5\xcd\xbe\xd6\xd0\xbf\xc9"
        "\xc4\xdc\xb1\xbb\xb8\xd0\xc8\xbe\xa3\xac\xbd\xa8\xd2\xe9\xd3\xc3\xbb\xa7\xca\xb9\xd3\xc3"
        "\xc7\xb0\xd4\xd9\xb4\xce\xbc\xec\xb2\xe9\xa1\xa3",
};

const LanguageTexts kBig5Texts = {
    // 打開(&F)
    .openCaption = "\xa5\xb4\xb6}(&F)",
    // 打開動畫文件
    .openHint = "\xa5\xb4\xb6}\xb0\xca\xb5"
                "e\xa4\xe5\xa5\xf3",
    // 關閉(&C)
    .closeCaption = "\xc3\xf6\xb3\xac(&C)",
    // 關閉當前動畫
    .closeHint = "\xc3\xf6\xb3\xac\xb7\xed\xab"
                 "e\xb0\xca\xb5"
                 "e",
    // 退出(&Q)
    .quitCaption = "\xb0h\xa5X(&Q)",
    // 顯示動畫(&S)
    .showCaption = "\xc5\xe3\xa5\xdc\xb0\xca\xb5"
                   "e(&S)",
    // 顯示動畫
    .showHint = "\xc5\xe3\xa5\xdc\xb0\xca\xb5"
                "e",
    // 隱藏動畫(&H)
    .hideCaption = "\xc1\xf4\xc2\xc3\xb0\xca\xb5"
                   "e(&H)",
    // 隱藏動畫
    .hideHint = "\xc1\xf4\xc2\xc3\xb0\xca\xb5"
                "e",
    // 關於(&A)
    .aboutCaption = "\xc3\xf6\xa9\xf3(&A)",
    // 關於本軟體
    .aboutHint = "\xc3\xf6\xa9\xf3\xa5\xbb\xb3n\xc5\xe9",
    // 編輯動作列表
    .editActionList = "\xbds\xbf\xe8\xb0\xca\xa7@\xa6"
                      "C\xaa\xed",
    // 設置文件關聯
    .fileAssociated = "\xb3]\xb8m\xa4\xe5\xa5\xf3\xc3\xf6\xc1p",
    // 檔案(&F)
    .fileMenu = "\xc0\xc9\xae\xd7(&F)",
    // 檢視(&V)
    .viewMenu = "\xc0\xcb\xb5\xf8(&V)",
    // 關於(&H)
    .helpMenu = "\xc3\xf6\xa9\xf3(&H)",
    .actionListFile = "Action.Tra",
    // 動作列表
    .editorLabel1 = "\xb0\xca\xa7@\xa6"
                    "C\xaa\xed",
    // 動作
    .editorLabel2 = "\xb0\xca\xa7@",
    // 描述
    .editorLabel3 = "\xb4y\xadz",
    // 增加
    .editorAdd = "\xbcW\xa5[",
    // 替換
    .editorReplace = "\xb4\xc0\xb4\xab",
    // 刪除
    .editorDelete = "\xa7R\xb0\xa3",
    // 存盤退出
    .editorSaveQuit = "\xa6s\xbdL\xb0h\xa5X",
    // 動作和描述必須輸入!
    .mustInput = "\xb0\xca\xa7@\xa9M\xb4y\xadz\xa5\xb2\xb6\xb7\xbf\xe9\xa4J!",
    // 不會
    .unableTo = "\xa4\xa3\xb7|",
    // 設置文件關聯成功!
    .associateOk = "\xb3]\xb8m\xa4\xe5\xa5\xf3\xc3\xf6\xc1p\xa6\xa8\xa5\\!",
    // 設置文件關聯失敗!
    .associateFail = "\xb3]\xb8m\xa4\xe5\xa5\xf3\xc3\xf6\xc1p\xa5\xa2\xb1\xd1!",
    // 關於...
    .aboutTitle = "\xc3\xf6\xa9\xf3...",
    .notInstalled = "\xb1z\xaa\xba\xb9q\xb8\xa3\xa8S\xa6\xb3\xa6w\xb8\xcbMicrosoft "
                    "Agent\xa4\xe4\xab\xf9\xb3n\xc5\xe9\r\n\xbd\xd0\xa8\xec\xb7L\xb3n\xba\xf4\xaf"
                    "\xb8\xa4U\xb8\xfcMSAgent.exe\r\n\xa6w\xb8\xcb\xab\xe1\xb4N\xa5i\xa5H\xac"
                    "d\xac\xdd"
                    "Agent Charecter(*.acs)\xba\xeb\xc6"
                    "F\xb0\xca\xb5"
                    "e\xa4\xe5\xa5\xf3\xa4"
                    "F\r\n\xb1z\xa4]\xa5i\xa5H\xc2s\xc4\xfdkelvorine.example."
                    "org\xc0\xf2\xb1o\xac\xdb\xc3\xf6\xabH\xae\xa7",
    // 細明體,136,9,[],[clWindowText]
    .mainFont = "\xb2\xd3\xa9\xfa\xc5\xe9,136,9,[],[clWindowText]",
    // 細明體,136,9,[],[clWindowText]
    .editorFont = "\xb2\xd3\xa9\xfa\xc5\xe9,136,9,[],[clWindowText]",
    // 細明體,136,9,[],[clWindowText]
    .aboutFont = "\xb2\xd3\xa9\xfa\xc5\xe9,136,9,[],[clWindowText]",
    .aboutWebTarget = "http://kelvorine.example.org/",
    .aboutBody =
        "\xa5\xbb\xb3n\xc5\xe9\xa5\xce\xa9\xf3\xac"
        "d\xac\xddMicrosoft Agent\xa8\xa4\xa6\xe2\xb0\xca\xb5"
        "e\xa4\xe5\xa5\xf3(*.acs)\xa1"
        "A\xa8\xc3\xa5i\xc0\xcb\xac"
        "d\xa8\xe4\xa4\xa4\xa5]\xa7t\xaa\xba\xb0\xca\xa7@\xa1"
        "C\xa5\xbb\xb3n\xc5\xe9\xacO\xa7K\xb6O\xb3n\xc5\xe9\xa1"
        "A\xa5i\xa5H\xa5\xf4\xb7N\xb6\xc7\xbc\xbd\xa1"
        "B\xbd\xc6\xbbs\xa9M\xa8\xcf\xa5\xce\xa1"
        "C\xa7@\xaa\xcc\xa4w\xb9\xef\xa5\xbb\xb3n\xc5\xe9\xb6i\xa6\xe6\xb9L\xb4\xfa\xb8\xd5\xa1"
        "A\xa6\xfd\xa4\xa3\xb9\xef\xa8\xe4\xa5\\\xaf\xe0\xa7@\xa5\xf4\xa6\xf3\xa9\xd3\xbf\xd5\xa1"
        "A\xa4]\xa4\xa3\xa9\xd3\xbe\xe1\xa6]"
        "\xa8\xcf\xa5\xce\xa5\xbb\xb3n\xc5\xe9\xa6\xd3\xa4\xde\xb0_"
        "\xaa\xba\xa5\xf4\xa6\xf3\xb0\xdd\xc3"
        "D\xaa\xba\xb3"
        "d\xa5\xf4\xa1"
        "C\xacO\xa7_"
        "\xa8\xcf\xa5\xce\xa5\xbb\xb3n\xc5\xe9\xa7\xb9\xa5\xfe\xa5\xd1\xa5\xce\xa4\xe1\xa6\xdb\xa4v"
        "\xa8M\xa9w\xa1"
        "A\xa8\xc3\xa6\xdb\xa6\xe6\xa9\xd3\xbe\xe1\xa8\xe4\xab\xe1\xaaG\xa1"
        "C",
};

} // namespace

const LanguageTexts& TextsFor(uint8_t interfaceLanguage) {
    switch (interfaceLanguage) {
    case kSimplifiedChinese:
        return kSimplifiedChineseTexts;
    case kBig5:
        return kBig5Texts;
    default:
        return kEnglishTexts;
    }
}

std::string PlayFailureText(uint8_t interfaceLanguage, std::string_view characterName,
                            std::string_view animation) {
    std::string text(characterName);
    text += TextsFor(interfaceLanguage).unableTo;
    text += animation;
    text += '!';
    return text;
}

} // namespace kv::app
