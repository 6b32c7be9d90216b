// The settings dialog's handlers for the reminder windows: zoom, window type, colours, previews.
#include "uniSetup.h"

void TfrmSetup::BindRemindHandlers(Binder<TfrmSetup>&) {}
