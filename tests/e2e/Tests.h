#pragma once

// The end-to-end tests, by area; Main.cpp runs them in order.

// The tray, PrintScreen and the capture command.
void StartupShowsOnlyTheTrayIcon();
void DoubleClickWithoutARegionExplains();
void PrintScreenSavesTheWholeScreen();
void TheOverwriteQuestion();
void APrintScreenDuringAQuestionWaitsForIt();
void ThePointerInTheCapture();
void ADelayCountsDownBeforeTheCopy();
void TheKeysAreQuorlansAlone();
void CtrlPrintScreenDrawsANewRegion();
void AKeyChosenInTheKeysDialog();
void WindowsOwnPrintScreenIsAskedAboutOnce();
void TheDigitOverflowQuestion();
void ExitThroughTheMenu();
void ACloseRequestEndsTheProgram();

// The region overlay, and on two monitors (run on the runner's second display).
void TheRegionOverlay();
void TheOverlayOnTwoMonitors();
void TheOverlayByKeyboard();
void TheOverlayTakesAWindowByAClick();

// The options dialog and the boxes.
void TheOptionsDialog();
void TheOptionsDialogByKeyboard();
void TheBoxesAreModal();

// Text and settings.
void NamesBeyondTheCodePage();

// After the capture, and one Quorlan at a time.
void TheClipboardAndTheNotice();
void OneQuorlanAtATime();

// The file formats.
void EveryDepthAndJpeg();
void PngOfTheWindowInFront();

// Marks before the save.
void AFrameAndAMosaicAreSavedWhereDrawn();
void TextTypedAndPastedIsSaved();
void MarksAreMovedRecolouredResizedAndDeleted();

// The scrolling capture.
void AScrollingCaptureSavesTheWholePage();
void AScrollingCaptureFollowsAFastPageAndKeepsItsLabelOut();
// Text recognition.
void TextIsReadToTheClipboard();
void F4ReadsTheMarkedSelection();
// A capture pinned on the screen.
void ARegionPinnedStaysOnTopMovesSavesAndCloses();
