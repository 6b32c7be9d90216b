// The hand-over of a second start in-process: the clipboard with and without the player's mark.
#include <gtest/gtest.h>

#include "PlaylistHandOver.h"
#include "ProcessHelpers.h"
#include "uniQVShare.h"
#include "PlayerFixture.h"
#include "ShellFakes.h"
#include "TextFile.h"

namespace {

class HandOver : public PlayerForms {
 protected:
  TestFolder folder{L"qvhandover"};
};

TEST_F(HandOver, AMarkedPathLoadsThePlaylistEmptiesTheClipboardAndShowsThePlayer) {
  std::wstring list = folder / L"我的列表.qvml";
  const std::wstring one = folder / L"一.mp3", two = folder / L"二.wav";
  WriteTextLines(one, {L"x"});
  WriteTextLines(two, {L"x"});
  WriteTextLines(list, {one, two});
  ASSERT_TRUE(PutPlaylistOnClipboard(list));
  EXPECT_EQ(ClipboardText(), list);
  LeaveMusicModePlaces();
  Send(WM_SAVERDECK_SHOW);
  EXPECT_EQ(frmMusicList->CheckListBox1->Items.List(), (std::vector<std::wstring>{one, two}));
  // Stopped, then played from the first line.
  EXPECT_EQ(media.log, (std::vector<std::wstring>{L"stop", L"URL " + one, L"play"}));
  EXPECT_EQ(frmMusicList->CheckListBox1->ItemIndex(), 0);
  EXPECT_TRUE(InMusicModePlaces());
  EXPECT_EQ(ClipboardText(), L"<none>");
  EXPECT_FALSE(IsClipboardFormatAvailable(PlaylistHandOverFormat()));
  EXPECT_TRUE(Shown());
}

TEST_F(HandOver, WhatTheUserCopiedIsNeitherTriedNorEmptied) {
  // Even a copied path of an existing playlist file: the user did not ask to play it.
  std::wstring list = folder / L"list.qvml";
  WriteTextLines(list, {L"C:\\a.mp3"});
  for (const std::wstring& text : {std::wstring(L"hello"), list}) {
    ASSERT_TRUE(SetClipboardText(text));
    main->HidePlayer();
    LeaveMusicModePlaces();
    Send(WM_SAVERDECK_SHOW);
    EXPECT_EQ(ClipboardText(), text);
    EXPECT_EQ(frmMusicList->CheckListBox1->Items.Count(), 0) << Narrow(text);
    EXPECT_TRUE(InMusicModePlaces()) << Narrow(text);
    EXPECT_TRUE(Shown());
  }
}

TEST_F(HandOver, AMarkedTextNamingNoFileOrNoTextLoadsNothingButShowsThePlayer) {
  for (const std::wstring& path : {folder / L"missing.qvml", folder.Path(), std::wstring()}) {
    frmMusicList->CheckListBox1->Items.Assign({L"kept"});
    ASSERT_TRUE(PutPlaylistOnClipboard(path));
    main->HidePlayer();
    LeaveMusicModePlaces();
    Send(WM_SAVERDECK_SHOW);
    EXPECT_EQ(frmMusicList->CheckListBox1->Items.List(), std::vector<std::wstring>{L"kept"}) << Narrow(path);
    EXPECT_TRUE(InMusicModePlaces()) << Narrow(path);
    EXPECT_EQ(ClipboardText(), L"<none>");
    EXPECT_TRUE(Shown());
  }
}

TEST_F(HandOver, AnEmptyClipboardShowsThePlayer) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  Send(WM_SAVERDECK_SHOW);
  EXPECT_TRUE(Shown());
  EXPECT_EQ(frmMusicList->CheckListBox1->Items.Count(), 0);
}

}  // namespace
