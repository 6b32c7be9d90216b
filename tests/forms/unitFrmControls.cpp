#include "unitFrmControls.h"

TfrmControls::TfrmControls(TComponent* AOwner) : TForm(AOwner) {
  InitForm(L"TfrmControls", Binder<TfrmControls>(this)
                                .Bind("pgcMain", pgcMain)
                                .Bind("tshGeneral", tshGeneral)
                                .Bind("tshLists", tshLists)
                                .Bind("tshButtons", tshButtons)
                                .Bind("GroupBox1", GroupBox1)
                                .Bind("edtMins", edtMins)
                                .Bind("updMins", updMins)
                                .Bind("scbAdjust", scbAdjust)
                                .Bind("rbxMode", rbxMode)
                                .Bind("scbZoom", scbZoom)
                                .Bind("pgbTired", pgbTired)
                                .Bind("cbbPlan", cbbPlan)
                                .Bind("cbbSkin", cbbSkin)
                                .Bind("cbbFolder", cbbFolder)
                                .Bind("clbBody", clbBody)
                                .Bind("clbBorder", clbBorder)
                                .Bind("lbxFolders", lbxFolders)
                                .Bind("clxPlaylist", clxPlaylist)
                                .Bind("mmoHistory", mmoHistory)
                                .Bind("pnlSource", pnlSource)
                                .Bind("lblOnPanel", lblOnPanel)
                                .Bind("bvlPlay", bvlPlay)
                                .Bind("btnPlay", btnPlay)
                                .Bind("btnImg1", btnImg1)
                                .Bind("btnImg2", btnImg2)
                                .Bind("rbnColour", rbnColour)
                                .Bind("rbnPicture", rbnPicture)
                                .Bind("dlgOpenMusic", dlgOpenMusic)
                                .Bind("dlgSaveMusList", dlgSaveMusList)
                                .Bind("OpenPictureDialog1", OpenPictureDialog1)
                                .Bind("FontDialog1", FontDialog1)
                                .Bind("ColorDialog1", ColorDialog1)
                                .On("pgcMainChange", &TfrmControls::pgcMainChange)
                                .On("pgcMainChanging", &TfrmControls::pgcMainChanging)
                                .On("tshGeneralShow", &TfrmControls::tshGeneralShow)
                                .On("tshGeneralHide", &TfrmControls::tshGeneralHide)
                                .On("tshListsShow", &TfrmControls::tshListsShow)
                                .On("updMinsClick", &TfrmControls::updMinsClick)
                                .On("updMinsChanging", &TfrmControls::updMinsChanging)
                                .On("rbxModeClick", &TfrmControls::rbxModeClick)
                                .On("scbZoomChange", &TfrmControls::scbZoomChange)
                                .On("scbZoomScroll", &TfrmControls::scbZoomScroll)
                                .On("cbbPlanSelect", &TfrmControls::cbbPlanSelect)
                                .On("cbbSkinChange", &TfrmControls::cbbSkinChange)
                                .On("cbbFolderChange", &TfrmControls::cbbFolderChange)
                                .On("clbBodyChange", &TfrmControls::clbBodyChange)
                                .On("clbBorderSelect", &TfrmControls::clbBorderSelect)
                                .On("lbxFoldersClick", &TfrmControls::lbxFoldersClick)
                                .On("clxPlaylistClick", &TfrmControls::clxPlaylistClick)
                                .On("clxPlaylistClickCheck", &TfrmControls::clxPlaylistClickCheck)
                                .On("btnPlayClick", &TfrmControls::btnPlayClick)
                                .On("btnImgClick", &TfrmControls::btnImgClick)
                                .On("rbnPictureClick", &TfrmControls::rbnPictureClick));
}
QV_REGISTER_FORM(TfrmControls);

void TfrmControls::pgcMainChange(TObject*) { log.push_back(L"page:" + IntToStr(pgcMain->ActivePageIndex())); }
void TfrmControls::pgcMainChanging(TObject*, bool& AllowChange) {
  log.push_back(L"changing");
  AllowChange = allowPageChange;
}
void TfrmControls::tshGeneralShow(TObject*) { log.push_back(L"show:general"); }
void TfrmControls::tshGeneralHide(TObject*) { log.push_back(L"hide:general"); }
void TfrmControls::tshListsShow(TObject*) { log.push_back(L"show:lists"); }
void TfrmControls::updMinsClick(TObject*, TUDBtnType Button) {
  log.push_back(std::wstring(Button == btNext ? L"up:" : L"down:") + IntToStr(updMins->Position()));
}
void TfrmControls::updMinsChanging(TObject*, bool& AllowChange) { AllowChange = allowStep; }
void TfrmControls::rbxModeClick(TObject*) { log.push_back(L"mode:" + IntToStr(rbxMode->ItemIndex())); }
void TfrmControls::scbZoomChange(TObject*) { log.push_back(L"zoom:" + IntToStr(scbZoom->Position())); }
void TfrmControls::scbZoomScroll(TObject*, TScrollCode ScrollCode, int& ScrollPos) {
  log.push_back(L"scroll:" + IntToStr(ScrollCode) + L":" + IntToStr(ScrollPos));
  if (scrollOverride != -1000) ScrollPos = scrollOverride;
}
void TfrmControls::cbbPlanSelect(TObject*) { log.push_back(L"plan:" + IntToStr(cbbPlan->ItemIndex())); }
void TfrmControls::cbbSkinChange(TObject*) { log.push_back(L"skin:" + cbbSkin->Text()); }
void TfrmControls::cbbFolderChange(TObject*) { log.push_back(L"folder:" + cbbFolder->Text()); }
void TfrmControls::clbBodyChange(TObject*) { log.push_back(L"body:" + IntToStr(clbBody->Selected())); }
void TfrmControls::clbBorderSelect(TObject*) { log.push_back(L"border:" + IntToStr(clbBorder->Selected())); }
void TfrmControls::lbxFoldersClick(TObject*) { log.push_back(L"folders:" + IntToStr(lbxFolders->ItemIndex())); }
void TfrmControls::clxPlaylistClick(TObject*) { log.push_back(L"playlist:" + IntToStr(clxPlaylist->ItemIndex())); }
void TfrmControls::clxPlaylistClickCheck(TObject*) { log.push_back(L"check"); }
void TfrmControls::btnPlayClick(TObject*) { log.push_back(L"play"); }
void TfrmControls::btnImgClick(TObject* Sender) {
  log.push_back(Sender == btnImg1 ? L"img1" : L"img2");
}
void TfrmControls::rbnPictureClick(TObject*) { log.push_back(L"picture"); }
