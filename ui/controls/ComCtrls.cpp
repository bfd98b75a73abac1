#include "ui/controls/ComCtrls.h"
#include "ui/classes/Properties.h"

void RegisterCommonControls() {
    RegisterClass<TImageList>(); // the images these controls show
    RegisterClass<TToolBar>();
    RegisterClass<TToolButton>();
    RegisterClass<TStatusBar>();
    RegisterClass<TStatusPanel>();
    RegisterClass<TProgressBar>();
    RegisterClass<TTrackBar>();
    RegisterClass<TUpDown>();
    RegisterClass<TPageControl>();
    RegisterClass<TTabSheet>();
    RegisterClass<TTabControl>();
    RegisterClass<THeaderControl>();
    RegisterClass<THeaderSection>();
    RegisterClass<TListView>();
    RegisterClass<TListColumn>();
    RegisterClass<TListItem>();
    RegisterClass<TDateTimePicker>();
    RegisterClass<TRichEdit>();
}
