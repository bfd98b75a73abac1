#include "ui/controls/ComCtrls.h"
#include "ui/classes/Properties.h"

void RegisterCommonControls() {
    RegisterComponentClass<TImageList>(); // the images these controls show
    RegisterComponentClass<TToolBar>();
    RegisterComponentClass<TToolButton>();
    RegisterComponentClass<TStatusBar>();
    RegisterComponentClass<TStatusPanel>();
    RegisterComponentClass<TProgressBar>();
    RegisterComponentClass<TTrackBar>();
    RegisterComponentClass<TUpDown>();
    RegisterComponentClass<TPageControl>();
    RegisterComponentClass<TTabSheet>();
    RegisterComponentClass<TTabControl>();
    RegisterComponentClass<THeaderControl>();
    RegisterComponentClass<THeaderSection>();
    RegisterComponentClass<TListView>();
    RegisterComponentClass<TListColumn>();
    RegisterComponentClass<TListItem>();
    RegisterComponentClass<TDateTimePicker>();
    RegisterComponentClass<TRichEdit>();
}
