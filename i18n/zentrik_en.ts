<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ConfirmationWindow</name>
    <message>
        <source>Извлечь</source>
        <translation>Eject</translation>
    </message>
    <message>
        <source>Безопасно извлечь карту камеры</source>
        <translation>Safely remove the camera's card</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Установить выбранную дату и время</source>
        <comment>accessible name</comment>
        <translation>Set chosen date and time</translation>
    </message>
    <message>
        <source>Другая дата</source>
        <translation>Other date</translation>
    </message>
    <message>
        <source>Другое время</source>
        <translation>Other time</translation>
    </message>
    <message>
        <source>Настройки</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Тип миникамеры:</source>
        <translation>Type of Zentrik:</translation>
    </message>
    <message>
        <source>Отображать метку времени:</source>
        <translation>Showing date and time:</translation>
    </message>
    <message>
        <source>Миникамера в системе под буквой:</source>
        <translation>The device is registered in system as:</translation>
    </message>
    <message>
        <source>ДА</source>
        <translation>YES</translation>
    </message>
    <message>
        <source>НЕТ</source>
        <translation>NO</translation>
    </message>
    <message>
        <source>Обновить список устройств</source>
        <translation>Update the list of devices</translation>
    </message>
    <message>
        <source>Установить текущую системную дату и время:</source>
        <translation>Set the current system date and time:</translation>
    </message>
    <message>
        <source>Сегодня:</source>
        <translation>Today:</translation>
    </message>
    <message>
        <source>Дата:</source>
        <translation>Date:</translation>
    </message>
    <message>
        <source>Время:</source>
        <translation>Time:</translation>
    </message>
    <message>
        <source>Установить другую дату и время</source>
        <translation>Set other date and time:</translation>
    </message>
    <message>
        <source>Выбранное значение даты и времени для установки:</source>
        <translation>Chosen date and time for installation:</translation>
    </message>
    <message>
        <source>Установить выбранную дату и время</source>
        <translation>SET CHOSEN DATE AND TIME</translation>
    </message>
    <message>
        <source>УСТАНОВИТЬ ВЫБРАННУЮ ДАТУ И ВРЕМЯ</source>
        <translation>SET CHOSEN DATE AND TIME</translation>
    </message>
</context>
<context>
    <name>TForm3</name>
    <message>
        <source>По всем вопросам звоните:</source>
        <translation>For any questions you may call:</translation>
    </message>
    <message>
        <source>Горячая линия по покупке минивидеокамер:</source>
        <translation>The hot line for purchase of minivideo cameras:</translation>
    </message>
    <message>
        <source>Для ВСЕХ регионов России звонок БЕСПЛАТНЫЙ!</source>
        <translation>For ALL regions of Russia call FREE!</translation>
    </message>
    <message>
        <source>Книга жалоб и предложений:</source>
        <translation>Complaints book and of offers</translation>
    </message>
</context>
<context>
    <name>TForm4</name>
    <message>
        <source>Опережение, с:</source>
        <translation>Lead, s:</translation>
    </message>
    <message>
        <source>Сколько секунд пройдёт от нажатия кнопки до включения камеры</source>
        <translation>Seconds from pressing the button to switching the camera on</translation>
    </message>
    <message>
        <source>Свои форматы…</source>
        <translation>Own formats…</translation>
    </message>
    <message>
        <source>Форматы файла времени для других камер</source>
        <translation>Time-file formats for other cameras</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Настройки файла формата даты и времени:</source>
        <translation>Settings of the file of a format of date and time:</translation>
    </message>
    <message>
        <source>Тип миникамеры:</source>
        <translation>Type of Zentrik:</translation>
    </message>
    <message>
        <source>Имя файла:</source>
        <translation>File name:</translation>
    </message>
    <message>
        <source>* - расширение файла &quot;.txt&quot;</source>
        <translation>* - file extension &quot;.txt&quot;</translation>
    </message>
    <message>
        <source>Символ-разделитель в значениях даты:</source>
        <translation>Symbol divider in values of date:</translation>
    </message>
    <message>
        <source>НЕТ (Слитно)</source>
        <translation>NO (Conjoint)</translation>
    </message>
    <message>
        <source>&quot;.&quot; - Точка</source>
        <translation>&quot;.&quot; - Point</translation>
    </message>
    <message>
        <source>&quot;-&quot; - Тире</source>
        <translation>&quot;-&quot; - Dash</translation>
    </message>
    <message>
        <source>&quot;/&quot; - Дробь</source>
        <translation>&quot;/&quot; - Ratio</translation>
    </message>
    <message>
        <source>Символ-разделитель в значениях времени:</source>
        <translation>Symbol divider in values of time:</translation>
    </message>
    <message>
        <source>&quot;:&quot; - Двоеточие</source>
        <translation>&quot;:&quot; - Colon</translation>
    </message>
    <message>
        <source>Символ-разделитель между значениями даты и времени:</source>
        <translation>Symbol divider between values of date and time:</translation>
    </message>
    <message>
        <source>&quot; &quot; - Пробел</source>
        <translation>&quot; &quot; - Gap</translation>
    </message>
    <message>
        <source>Наличие метки времени:</source>
        <translation>Existence of a tag of time:</translation>
    </message>
    <message>
        <source>&quot;Y&quot; - Есть</source>
        <translation>&quot;Y&quot; - Yes</translation>
    </message>
    <message>
        <source>&quot;N&quot; - Нет</source>
        <translation>&quot;N&quot; - No</translation>
    </message>
    <message>
        <source>Образец содержания файла формата даты и времени:</source>
        <translation>Sample of the contents of the file of a format of date and time:</translation>
    </message>
    <message>
        <source>Сохранить пользовательские настройки</source>
        <translation>Save user settings</translation>
    </message>
    <message>
        <source>Восстановить настройки по умолчанию</source>
        <translation>Restore settings by default</translation>
    </message>
</context>
<context>
    <name>zv::TForm4</name>
    <message>
        <source>Файл своих форматов %1 повреждён: не прочитано записей — %2. Остальные форматы и настройки моделей на месте.</source>
        <translation>The file of own formats %1 is damaged: %2 entries could not be read. The other formats and the models' settings are in place.</translation>
    </message>
    <message>
        <source>Папка для настроек не найдена: у пользователя нет домашней папки. Программа работает с настройками по умолчанию и не сможет их сохранить.</source>
        <translation>No folder for the settings: the user has no home folder. The program runs on the default settings and cannot save them.</translation>
    </message>
</context>
<context>
    <name>zv::TForm2</name>
    <message>
        <source>Камеру можно отключить</source>
        <translation>The camera can be unplugged</translation>
    </message>
    <message>
        <source>Карту сейчас извлечь нельзя: её файлы открыты в другой программе. Закройте их и нажмите «Извлечь» ещё раз.</source>
        <translation>The card cannot be ejected now: another program has its files open. Close them and press Eject again.</translation>
    </message>
    <message>
        <source>Система не позволила извлечь карту.</source>
        <translation>The system did not allow the card to be ejected.</translation>
    </message>
    <message>
        <source>Здесь нечем извлечь карту: в системе нет службы UDisks2. Извлеките её в файловом менеджере.</source>
        <translation>Nothing here can eject the card: the system has no UDisks2 service. Eject it in the file manager.</translation>
    </message>
    <message>
        <source>Карты уже нет в системе: её отключили или извлекли.</source>
        <translation>The card is no longer there: it was unplugged or ejected.</translation>
    </message>
    <message>
        <source>Карту не удалось извлечь.</source>
        <translation>The card could not be ejected.</translation>
    </message>
    <message>
        <source>Дата и время успешно установлены</source>
        <translation>Date and time it is successful set</translation>
    </message>
</context>
<context>
    <name>zv::TForm3</name>
    <message>
        <source>Будни: с 9:00 до 19:00 (МСК)</source>
        <translation>Weekdays: 9:00 to 19:00 (Moscow time)</translation>
    </message>
    <message>
        <source>Выходные: с 10:00 до 16:00 (МСК)</source>
        <translation>Weekends: 10:00 to 16:00 (Moscow time)</translation>
    </message>
    <message>
        <source>Автор: Дальвенор, %1</source>
        <translation>Author of the program: Dalvenor, %1</translation>
    </message>
</context>
<context>
    <name>zv::TForm5</name>
    <message>
        <source>Пользовательские параметры настройки для ВСЕХ минивидео камер успешно сохранены</source>
        <translation>User settings for ALL minivideo cameras are successfully kept</translation>
    </message>
</context>
<context>
    <name>zv::TForm6</name>
    <message>
        <source>Параметры настройки по умолчанию для ВСЕХ минивидео камер успешно сохранены</source>
        <translation>Settings by default for ALL minivideo cameras are successfully kept</translation>
    </message>
</context>
<context>
    <name>OwnFormatsWindow</name>
    <message>
        <source>Свои форматы:</source>
        <translation>Own formats:</translation>
    </message>
    <message>
        <source>Добавить формат, начав с образца</source>
        <translation>Add a format, starting from a pattern</translation>
    </message>
    <message>
        <source>Добавить</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Удалить выбранный формат</source>
        <translation>Remove the chosen format</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Название:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Имя файла:</source>
        <translation>File name:</translation>
    </message>
    <message>
        <source>Имя целиком, с расширением, если оно нужно: tag.txt, TIME</source>
        <translation>The whole name, with an extension if it needs one: tag.txt, TIME</translation>
    </message>
    <message>
        <source>Содержимое файла:</source>
        <translation>Contents of the file:</translation>
    </message>
    <message>
        <source>{year} {month} {day} {hour} {minute} {second} — дата и время,
{stamp} — Y или N; {{ и }} — сами скобки</source>
        <translation>{year} {month} {day} {hour} {minute} {second}: the date and time,
{stamp}: Y or N; {{ and }}: the braces themselves</translation>
    </message>
    <message>
        <source>Перевод строки:</source>
        <translation>Line break:</translation>
    </message>
    <message>
        <source>Перевод строки после последней строки</source>
        <translation>Line break after the last line</translation>
    </message>
    <message>
        <source>Образец:</source>
        <translation>Sample:</translation>
    </message>
    <message>
        <source>Сохранить форматы</source>
        <translation>Save the formats</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Закрыть без изменений</source>
        <translation>Close without changes</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>zv::OwnFormatsWindow</name>
    <message>
        <source>(без названия)</source>
        <translation>(no name)</translation>
    </message>
    <message>
        <source>Форматов больше 20: этот лишний, удалите его.</source>
        <translation>More than 20 formats: this one is too many, remove it.</translation>
    </message>
    <message>
        <source>Внимание: в содержимом нет ни одного поля, поэтому файл никогда не меняется.</source>
        <translation>Note: the contents hold no field, so the file never changes.</translation>
    </message>
    <message>
        <source>Название не задано.</source>
        <translation>The name is empty.</translation>
    </message>
    <message>
        <source>Название записано не в UTF-8.</source>
        <translation>The name is not UTF-8.</translation>
    </message>
    <message>
        <source>В названии есть управляющий символ.</source>
        <translation>The name holds a control character.</translation>
    </message>
    <message>
        <source>Название длиннее 32 символов.</source>
        <translation>The name is longer than 32 characters.</translation>
    </message>
    <message>
        <source>Название состоит из одних пробелов.</source>
        <translation>The name is only spaces.</translation>
    </message>
    <message>
        <source>Так называется одна из встроенных моделей.</source>
        <translation>A built-in model has this name.</translation>
    </message>
    <message>
        <source>Это название уже есть у формата выше в списке.</source>
        <translation>A format higher in the list has this name.</translation>
    </message>
    <message>
        <source>Имя файла не задано.</source>
        <translation>The file name is empty.</translation>
    </message>
    <message>
        <source>Имя файла записано не в UTF-8.</source>
        <translation>The file name is not UTF-8.</translation>
    </message>
    <message>
        <source>В имени файла есть управляющий символ.</source>
        <translation>The file name holds a control character.</translation>
    </message>
    <message>
        <source>Имя файла состоит из одних пробелов.</source>
        <translation>The file name is only spaces.</translation>
    </message>
    <message>
        <source>Имя файла не может быть «.» или «..».</source>
        <translation>The file name cannot be &quot;.&quot; or &quot;..&quot;.</translation>
    </message>
    <message>
        <source>В имени файла есть разделитель папок (/ или \): файл пишется в корень карты.</source>
        <translation>The file name holds a folder separator (/ or \): the file goes into the card&apos;s root.</translation>
    </message>
    <message>
        <source>В имени файла есть символ, который карты не принимают: : * ? &quot; &lt; &gt; |</source>
        <translation>The file name holds a character cards refuse: : * ? &quot; &lt; &gt; |</translation>
    </message>
    <message>
        <source>Имя файла кончается пробелом или точкой: Windows их отбросит.</source>
        <translation>The file name ends in a space or a dot, which Windows drops.</translation>
    </message>
    <message>
        <source>Это имя устройства Windows (CON, NUL, COM1 и подобные).</source>
        <translation>This is a Windows device&apos;s name (CON, NUL, COM1 and the like).</translation>
    </message>
    <message>
        <source>Имя файла длиннее 64 байт.</source>
        <translation>The file name is longer than 64 bytes.</translation>
    </message>
    <message>
        <source>Содержимое, строка %1, столбец %2: неизвестное поле %3.</source>
        <translation>Contents, line %1, column %2: unknown field %3.</translation>
    </message>
    <message>
        <source>Содержимое, строка %1, столбец %2: «{» без «}»; сама скобка пишется {{.</source>
        <translation>Contents, line %1, column %2: a &quot;{&quot; without its &quot;}&quot;; write {{ for the brace itself.</translation>
    </message>
    <message>
        <source>Содержимое, строка %1, столбец %2: «}» без «{»; сама скобка пишется }}.</source>
        <translation>Contents, line %1, column %2: a &quot;}&quot; without its &quot;{&quot;; write }} for the brace itself.</translation>
    </message>
    <message>
        <source>Содержимое длиннее 2000 байт.</source>
        <translation>The contents are longer than 2000 bytes.</translation>
    </message>
    <message>
        <source>Содержимое слишком длинное для файла камеры: больше 512 байт.</source>
        <translation>The contents are too long for a camera file: over 512 bytes.</translation>
    </message>
</context>
<context>
    <name>zv::CameraAnswerWindow</name>
    <message>
        <source>Камера приняла время</source>
        <translation>The camera has taken the time</translation>
    </message>
    <message>
        <source>Камера записывала, но не прочитала файл %1. Проверьте модель и имя файла в настройках.</source>
        <translation>The camera has recorded since, but has not read %1. Check the model and the file name in Settings.</translation>
    </message>
</context>
<context>
    <name>zv::TForm1</name>
    <message>
        <source>Нет камеры: подключите камеру и выберите её в списке, чтобы установить время.</source>
        <translation>No camera: plug a camera in and choose it in the list to set the time.</translation>
    </message>
</context>
</TS>
