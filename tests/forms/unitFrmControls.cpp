#include "unitFrmControls.h"

TfrmControls::TfrmControls(TComponent* AOwner) : TForm(AOwner) {
  InitForm(L"TfrmControls", Binder<TfrmControls>(this)
                                .Bind(QV_MEMBER(pgcMain))
                                .Bind(QV_MEMBER(tshGeneral))
                                .Bind(QV_MEMBER(tshLists))
                                .Bind(QV_MEMBER(tshButtons))
                                .Bind(QV_MEMBER(GroupBox1))
                                .Bind(QV_MEMBER(edtMins))
                                .Bind(QV_MEMBER(updMins))
                                .Bind(QV_MEMBER(scbAdjust))
                                .Bind(QV_MEMBER(rbxMode))
                                .Bind(QV_MEMBER(scbZoom))
                                .Bind(QV_MEMBER(pgbTired))
                                .Bind(QV_MEMBER(cbbPlan))
                                .Bind(QV_MEMBER(cbbSkin))
                                .Bind(QV_MEMBER(cbbFolder))
                                .Bind(QV_MEMBER(clbBody))
                                .Bind(QV_MEMBER(clbBorder))
                                .Bind(QV_MEMBER(lbxFolders))
                                .Bind(QV_MEMBER(clxPlaylist))
                                .Bind(QV_MEMBER(mmoHistory))
                                .Bind(QV_MEMBER(pnlSource))
                                .Bind(QV_MEMBER(lblOnPanel))
                                .Bind(QV_MEMBER(bvlPlay))
                                .Bind(QV_MEMBER(btnPlay))
                                .Bind(QV_MEMBER(btnImg1))
                                .Bind(QV_MEMBER(btnImg2))
                                .Bind(QV_MEMBER(rbnColour))
                                .Bind(QV_MEMBER(rbnPicture))
                                .Bind(QV_MEMBER(dlgOpenMusic))
                                .Bind(QV_MEMBER(dlgSaveMusList))
                                .Bind(QV_MEMBER(OpenPictureDialog1))
                                .Bind(QV_MEMBER(FontDialog1))
                                .Bind(QV_MEMBER(ColorDialog1))
                                .On(QV_HANDLER(pgcMainChange))
                                .On(QV_HANDLER(pgcMainChanging))
                                .On(QV_HANDLER(tshGeneralShow))
                                .On(QV_HANDLER(tshGeneralHide))
                                .On(QV_HANDLER(tshListsShow))
                                .On(QV_HANDLER(updMinsClick))
                                .On(QV_HANDLER(updMinsChanging))
                                .On(QV_HANDLER(rbxModeClick))
                                .On(QV_HANDLER(scbZoomChange))
                                .On(QV_HANDLER(scbZoomScroll))
                                .On(QV_HANDLER(cbbPlanSelect))
                                .On(QV_HANDLER(cbbSkinChange))
                                .On(QV_HANDLER(cbbFolderChange))
                                .On(QV_HANDLER(clbBodyChange))
                                .On(QV_HANDLER(clbBorderSelect))
                                .On(QV_HANDLER(lbxFoldersClick))
                                .On(QV_HANDLER(clxPlaylistClick))
                                .On(QV_HANDLER(clxPlaylistClickCheck))
                                .On(QV_HANDLER(btnPlayClick))
                                .On(QV_HANDLER(btnImgClick))
                                .On(QV_HANDLER(rbnPictureClick)));
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
