#pragma once

#include "platform/windows/Window.h"

class ApplicationMenuItem;
class Canvas;
class Label;
class MenuItem;
class PushButton;
class Rectangle;
class Slider;

// The main window: the icon and mask views, the "Fuzziness" slider and the main menu bar.
class Window1 : public Window {
public:
    static constexpr const char* kClassName = "Window1";
    Window1();

    Label& Label1() const;
    Label& Label2() const;
    Slider& FuzzTolerance() const;
    Label& Label3() const;
    Rectangle& Rectangle1() const;
    Canvas& IconCanvas() const;
    Rectangle& Rectangle2() const;
    Canvas& MaskCanvas() const;
    PushButton& ShowPNG() const;

    void FuzzTolerance_ValueChanged(Slider& slider);
    void ShowPNG_Action(PushButton& button);

    MenuItem& HelpMenu() const;
    ApplicationMenuItem& HelpAbout() const;
    MenuItem& HelpShowHelp() const;
    MenuItem& CheckForUpdateMenu() const;
    MenuItem& CheckForUpdateCheckNow() const;
    MenuItem& EditMenu() const;
    MenuItem& EditSelectAll() const;
    MenuItem& EditSeparator2() const;
    MenuItem& EditClear() const;
    MenuItem& EditPaste() const;
    MenuItem& EditCopy() const;
    MenuItem& EditCut() const;
    MenuItem& EditSeparator1() const;
    MenuItem& EditUndo() const;
    MenuItem& FileMenu() const;
    MenuItem& FilePrintHelp() const;
    MenuItem& FileSaveFiles() const;
    MenuItem& FileLoadIconSource() const;
    MenuItem& FileIdentifyOutputFolder() const;

    bool HelpShowHelp_Action();
    bool FileQuit_Action();
    bool FilePrintHelp_Action();
    bool FileIdentifyOutputFolder_Action();
    bool FileLoadIconSource_Action();
    bool FileSaveFiles_Action();
    bool CheckForUpdateCheckNow_Action();
    bool HelpAbout_Action();

protected:
    void Layout() override;
    void CreateControls() override;
    void AddMenuHandlers() override;
    void Event_Close() override;
    void Event_EnableMenuItems() override;

private:
    void CreateControls0();
};
