<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>FileErrorText</name>
    <message>
        <source>нет разрешения</source>
        <translation>not permitted</translation>
    </message>
    <message>
        <source>диск только для чтения</source>
        <translation>the disk is read-only</translation>
    </message>
    <message>
        <source>папка недоступна</source>
        <translation>the folder cannot be reached</translation>
    </message>
    <message>
        <source>на диске нет места для новых файлов</source>
        <translation>the disk has no room for new files</translation>
    </message>
    <message>
        <source>нет доступа</source>
        <translation>access denied</translation>
    </message>
    <message>
        <source>диск полон</source>
        <translation>disk full</translation>
    </message>
    <message>
        <source>папка не найдена</source>
        <translation>folder not found</translation>
    </message>
    <message>
        <source>файл занят другой программой</source>
        <translation>the file is in use by another program</translation>
    </message>
    <message>
        <source>на месте файла папка</source>
        <translation>a folder stands where the file should be</translation>
    </message>
    <message>
        <source>не хватает места или ресурсов системы</source>
        <translation>not enough disk space or system resources</translation>
    </message>
    <message>
        <source>файл не открывается</source>
        <translation>the file cannot be opened</translation>
    </message>
    <message>
        <source>файл не удалось заменить</source>
        <translation>the file could not be replaced</translation>
    </message>
    <message>
        <source>ошибка чтения</source>
        <translation>read error</translation>
    </message>
    <message>
        <source>ошибка записи</source>
        <translation>write error</translation>
    </message>
</context>
<context>
    <name>GameSession</name>
    <message>
        <source>Помрола 99</source>
        <translation>Pomrola 99</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
</context>
<context>
    <name>RecordsFile</name>
    <message>
        <source>Копия файла рекордов %1 не читается и оставлена как есть: %2</source>
        <translation>The copy %1 of the high score file cannot be read and is left as it is: %2</translation>
    </message>
    <message>
        <source>замок %1 оставлен не этой игрой: %2</source>
        <translation>the lock %1 was not left by this game: %2</translation>
    </message>
    <message>
        <source>Не удалось записать файл рекордов %1: %2</source>
        <translation>Could not write the high score file %1: %2</translation>
    </message>
    <message>
        <source>этот компьютер видит устаревшую копию файла, результат будет записан в конце следующей игры</source>
        <translation>this computer sees an outdated copy of the file; the result will be written at the end of the next game</translation>
    </message>
    <message>
        <source>файл занят другой программой</source>
        <translation>the file is in use by another program</translation>
    </message>
    <message>
        <source>нет доступа к каталогу</source>
        <translation>no access to the folder</translation>
    </message>
    <message>
        <source>каталог не найден</source>
        <translation>the folder is not there</translation>
    </message>
</context>
<context>
    <name>RecordsFolderMessage</name>
    <message>
        <source>Не могу найти файл рекордов в каталоге : </source>
        <translation>Cannot find the high score file in the folder : </translation>
    </message>
    <message>
        <source>Проверте правильность указания каталога</source>
        <translation>Check that the folder is given correctly</translation>
    </message>
    <message>
        <source> в меню: </source>
        <translation> in the menu: </translation>
    </message>
    <message>
        <source>&quot;Игра|Файл рекордов&quot;</source>
        <translation>&quot;Game|High score file&quot;</translation>
    </message>
    <message>
        <source>&quot;Игра | Файл рекордов&quot;</source>
        <translation>&quot;Game | High score file&quot;</translation>
    </message>
</context>
<context>
    <name>TAboutForm</name>
    <message>
        <source>Помрола 99</source>
        <translation>Pomrola 99</translation>
    </message>
    <message>
        <source>Команда Помролы, 2026</source>
        <translation>Pomrola Team, 2026</translation>
    </message>
    <message>
        <source>        Команда Помролы</source>
        <translation>        Pomrola Team</translation>
    </message>
    <message>
        <source>- игры для Windows и Linux</source>
        <translation>- games for Windows and Linux</translation>
    </message>
    <message>
        <source>- программы на заказ</source>
        <translation>- software made to order</translation>
    </message>
    <message>
        <source>- настольные приложения</source>
        <translation>- desktop applications</translation>
    </message>
    <message>
        <source>  для дома и офиса</source>
        <translation>  for home and office</translation>
    </message>
    <message>
        <source>- базы данных</source>
        <translation>- databases</translation>
    </message>
    <message>
        <source>- сайты и</source>
        <translation>- websites and</translation>
    </message>
    <message>
        <source>  интернет-магазины</source>
        <translation>  online shops</translation>
    </message>
    <message>
        <source>- перенос старых программ</source>
        <translation>- porting of old programs</translation>
    </message>
    <message>
        <source>- сопровождение</source>
        <translation>- maintenance</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Нет сведений о версии</source>
        <translation>No version information</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Сохраненные игры|*.sav|Все файлы|*.*</source>
        <translation>Saved games|*.sav|All files|*.*</translation>
    </message>
    <message>
        <source>Сохраненные игры|*.sav|Все файлы |*.*</source>
        <translation>Saved games|*.sav|All files |*.*</translation>
    </message>
    <message>
        <source>Не удалось сохранить игру в файл %1: %2</source>
        <translation>Could not save the game to the file %1: %2</translation>
    </message>
    <message>
        <source>С Ч Е Т</source>
        <translation>SCORE</translation>
    </message>
    <message>
        <source>ОСТАЛОСЬ</source>
        <translation>MOVES</translation>
    </message>
    <message>
        <source>Игра</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>Заново</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Загрузить</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>Рекорды</source>
        <translation>High scores</translation>
    </message>
    <message>
        <source>Файл рекордов</source>
        <translation>High score file</translation>
    </message>
    <message>
        <source>На этой машине</source>
        <translation>On this computer</translation>
    </message>
    <message>
        <source>По сети</source>
        <translation>On the network</translation>
    </message>
    <message>
        <source>Вы&amp;ход</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Правила игры</source>
        <translation>Rules of the game</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>      Игрок : (без имени) </source>
        <translation>      Player : (no name) </translation>
    </message>
    <message>
        <source>Счёт</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>Осталось ходов</source>
        <translation>Moves left</translation>
    </message>
    <message>
        <source>Поле</source>
        <translation>Board</translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>Рекорды</source>
        <translation>High scores</translation>
    </message>
</context>
<context>
    <name>THelpForm</name>
    <message>
        <source>В эту игру играть достаточно просто.</source>
        <translation>This game is quite simple to play.</translation>
    </message>
    <message>
        <source>Дано поле, заполненное разноцветными шарами . </source>
        <translation>You are given a field filled with balls of many colours . </translation>
    </message>
    <message>
        <source>Необходимо поменять местами шарики так, чтобы по вертикали </source>
        <translation>Swap balls so that, in a column </translation>
    </message>
    <message>
        <source>или по  горизонтали рядом было не менее трех шаров одного </source>
        <translation>or in a row, at least three balls of the same colour </translation>
    </message>
    <message>
        <source>цвета, при этом переставлять шар можно только один раз.</source>
        <translation>stand side by side; a ball can be moved only once.</translation>
    </message>
    <message>
        <source>Игра заканчивается только тогда, когда ни один шар нельзя </source>
        <translation>The game ends only when not a single ball can </translation>
    </message>
    <message>
        <source>больше переместить.</source>
        <translation>be moved any more.</translation>
    </message>
    <message>
        <source>Желаю удачи ! ! ! </source>
        <translation>Good luck ! ! ! </translation>
    </message>
    <message>
        <source>Правила игры</source>
        <translation>Rules of the game</translation>
    </message>
    <message>
        <source>игра   П О М Р О Л А </source>
        <translation>game   P O M R O L A </translation>
    </message>
</context>
<context>
    <name>TReclamaForm</name>
    <message>
        <source>Ваша реклама</source>
        <translation>Your advertisement</translation>
    </message>
    <message>
        <source>А это место
для Вашей рекламы</source>
        <translation>And this place
is for your advert</translation>
    </message>
    <message>
        <source>Свои предложения по размещению рекламы посылать по адресу:
</source>
        <translation>Please send your advertising offers to:
</translation>
    </message>
    <message>
        <source>Нажмите любую клавишу</source>
        <translation>Press any key</translation>
    </message>
</context>
<context>
    <name>TurnController</name>
    <message>
        <source>Ваше имя ?</source>
        <translation>Your name ?</translation>
    </message>
    <message>
        <source>Введите пожалуйста Ваше имя.</source>
        <translation>Please enter your name.</translation>
    </message>
    <message>
        <source>      Игрок : </source>
        <translation>      Player : </translation>
    </message>
    <message>
        <source>Рекорды.  Ваш результат: </source>
        <translation>High scores.  Your score: </translation>
    </message>
</context>
<context>
    <name>WindowLook</name>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>FolderLock</name>
    <message>
        <source>замок другого пользователя не удаётся снять, нет разрешения</source>
        <translation>another user's lock cannot be removed: not permitted</translation>
    </message>
</context>
<context>
    <name>SharedFolderFiles</name>
    <message>
        <source>на месте файла стоит ссылка</source>
        <translation>a link stands where the file should be</translation>
    </message>
    <message>
        <source>на месте файла папка</source>
        <translation>a folder stands where the file should be</translation>
    </message>
    <message>
        <source>на месте файла стоит не файл</source>
        <translation>something other than a file stands where the file should be</translation>
    </message>
</context>
<context>
    <name>CellNames</name>
    <message>
        <source>синий</source>
        <translation>blue</translation>
    </message>
    <message>
        <source>красный</source>
        <translation>red</translation>
    </message>
    <message>
        <source>зелёный</source>
        <translation>green</translation>
    </message>
    <message>
        <source>чёрный</source>
        <translation>black</translation>
    </message>
    <message>
        <source>жёлтый</source>
        <translation>yellow</translation>
    </message>
    <message>
        <source>голубой</source>
        <translation>aqua</translation>
    </message>
    <message>
        <source>серый</source>
        <translation>grey</translation>
    </message>
    <message>
        <source>пурпурный</source>
        <translation>fuchsia</translation>
    </message>
    <message>
        <source>бордовый</source>
        <translation>maroon</translation>
    </message>
    <message>
        <source>салатовый</source>
        <translation>lime</translation>
    </message>
    <message>
        <source>точка</source>
        <translation>dot</translation>
    </message>
    <message>
        <source>кольцо</source>
        <translation>ring</translation>
    </message>
    <message>
        <source>крестик</source>
        <translation>cross</translation>
    </message>
    <message>
        <source>плюс</source>
        <translation>plus</translation>
    </message>
    <message>
        <source>квадрат</source>
        <translation>square</translation>
    </message>
    <message>
        <source>треугольник</source>
        <translation>triangle</translation>
    </message>
    <message>
        <source>ромб</source>
        <translation>diamond</translation>
    </message>
    <message>
        <source>звезда</source>
        <translation>star</translation>
    </message>
    <message>
        <source>пусто</source>
        <translation>empty</translation>
    </message>
    <message>
        <source>неизвестный цвет</source>
        <translation>unknown colour</translation>
    </message>
</context>
<context>
    <name>MoveReport</name>
    <message>
        <source>Шары не соседние, хода нет.</source>
        <translation>The balls are not neighbours: no move.</translation>
    </message>
    <message>
        <source>Ход отменён: линии нет.</source>
        <translation>Move undone: no line.</translation>
    </message>
    <message>
        <source>Выбор снят.</source>
        <translation>Pick cancelled.</translation>
    </message>
    <message>
        <source>Убрано шаров: %1, очков: +%2, счёт: %3.</source>
        <translation>Balls removed: %1, points: +%2, score: %3.</translation>
    </message>
    <message>
        <source>Игра окончена, счёт: %1.</source>
        <translation>Game over, score: %1.</translation>
    </message>
    <message>
        <source>Осталось ходов: %1.</source>
        <translation>Moves left: %1.</translation>
    </message>
</context>
</TS>
