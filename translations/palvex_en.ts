<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>Cli</name>
    <message>
        <source>Открывает проект FILE, как окно (исправленный состав равен исходному, если
--corrected не задает массовые доли в %, как их задали бы ползунки),
пересчитывает и проверяет его и печатает один объект JSON: name, N, K, data_form,
reference_kind, sizes, base_recipe, corrected_recipe, base_volume_fractions,
corrected_volume_fractions, base_curve, corrected_curve, reference_curve,
deviations, divergence, band_upper, band_lower (числа с 9 значащими цифрами),
valid {density, grain, recipe, reference, all} и errors (сообщения, которые
показывает окно, по порядку).</source>
        <translation>Opens the project FILE as the window does (the corrected recipe equals the base
recipe unless --corrected sets the mass fractions in %, as the sliders would),
recalculates and validates it, and prints one JSON object: name, N, K, data_form,
reference_kind, sizes, base_recipe, corrected_recipe, base_volume_fractions,
corrected_volume_fractions, base_curve, corrected_curve, reference_curve,
deviations, divergence, band_upper, band_lower (floats with 9 significant digits),
valid {density, grain, recipe, reference, all} and errors (the messages the window
shows, in order).</translation>
    </message>
    <message>
        <source>Делает S шагов автоматического подбора от открытого проекта с генератором,
заданным числом R (одно и то же число дает один и тот же результат), в границах
каждого компонента, если задан --bounds, с закрепленными компонентами из списка
(номера с 1). Печатает JSON команды calc и еще steps и adopted (сколько проб
принято).</source>
        <translation>Runs S steps of the automatic search from the opened project with a generator
seeded with R (the same seed gives the same result), within the bounds of each
component when --bounds is given, with the listed components (1-based) locked.
Prints the JSON of calc plus steps and adopted (how many trials were adopted).</translation>
    </message>
    <message>
        <source>Находит состав с наименьшим возможным расхождением (линейная программа, точно)
при закрепленных компонентах и границах, принимает его и печатает JSON команды
calc и еще optimum (наименьшее расхождение, без округления).</source>
        <translation>Finds the recipe with the smallest possible divergence (a linear program, exact),
honouring the locked components and the bounds, adopts it and prints the JSON of
calc plus optimum (the smallest divergence, unrounded).</translation>
    </message>
    <message>
        <source>Записывает отчет по открытому проекту (рисунки строятся без экрана) в документ
.docx. --sections перечисляет разделы отчета по номерам 1..11 (6.1–6.11 шага 6);
по умолчанию все.</source>
        <translation>Writes the report of the opened project (the pictures drawn offscreen) as a .docx
document. --sections lists the sections to include by their numbers 1..11 (6.1 to
6.11 of step 6); all of them by default.</translation>
    </message>
    <message>
        <source>Читает книгу базы данных компонентов (.xlsx), как окно выбора, с файлом настроек
FILE (по умолчанию app_setups.ini, найденный так же, как его находит окно),
и печатает один объект JSON: sizes (как прочитаны, от мелких к крупным), names,
total_masses, forms (для каждого компонента и каждой фракции шесть форм: частный
остаток в г и %, полный остаток в г и %, полный проход в г и %; null, где пусто)
и warnings (о чем предупредило бы окно).</source>
        <translation>Reads a component database workbook (.xlsx) as the selection window does, with
the settings file FILE (by default app_setups.ini, found as the window finds it),
and prints one JSON object: sizes (as read, finest first), names, total_masses,
forms (for each component, for each size class, the six forms: partial residue
g and %, cumulative residue g and %, cumulative passing g and %; null where empty)
and warnings (what the window would warn about).</translation>
    </message>
    <message>
        <source>Открывает проект IN, как окно, и сохраняет его в OUT, как окно: Windows-1251
с концами строк CR LF, какими бы ни были кодировка и концы строк IN.</source>
        <translation>Opens the project IN as the window does and saves it to OUT as the window does:
Windows-1251 with CR LF line ends, whatever the encoding and line ends of IN.</translation>
    </message>
    <message>
        <source>Общие параметры:
</source>
        <translation>Common options:
</translation>
    </message>
    <message>
        <source>Язык сообщений: en (английский) или ru (русский). По умолчанию — язык
системы, если это английский, иначе русский. Ключи JSON не меняются.</source>
        <translation>Language of the messages: en (English) or ru (Russian). By default the
system&apos;s language if it is English, else Russian. The JSON keys never change.</translation>
    </message>
    <message>
        <source>Печатает этот текст (после команды — ее описание).</source>
        <translation>Prints this text (after a command, its description).</translation>
    </message>
    <message>
        <source>Печатает номер версии.</source>
        <translation>Prints the version number.</translation>
    </message>
    <message>
        <source>Код завершения: 0 при успехе; 2, если файл отвергнут или аргументы неверны.
</source>
        <translation>Exit status: 0 on success; 2 for a refused file or bad arguments.
</translation>
    </message>
    <message>
        <source>Запуск: palvex-cli [--lang en|ru] COMMAND [ARGS]
</source>
        <translation>Usage: palvex-cli [--lang en|ru] COMMAND [ARGS]
</translation>
    </message>
    <message>
        <source>Команды:
</source>
        <translation>Commands:
</translation>
    </message>
    <message>
        <source>--corrected требует %1 массовых долей, а задано %2</source>
        <translation>--corrected needs %1 mass fractions, got %2</translation>
    </message>
    <message>
        <source>--corrected: «%1» — не массовая доля от 0 до 100</source>
        <translation>--corrected: &quot;%1&quot; is not a mass fraction from 0 to 100</translation>
    </message>
    <message>
        <source>неизвестный параметр %1 (см. --help)</source>
        <translation>unknown option %1 (see --help)</translation>
    </message>
    <message>
        <source>не указана книга базы данных (см. --help)</source>
        <translation>no workbook given (see --help)</translation>
    </message>
    <message>
        <source>не указан файл проекта (см. --help)</source>
        <translation>no project file given (see --help)</translation>
    </message>
    <message>
        <source>ожидается одна книга, а указана еще и %1</source>
        <translation>one workbook expected, got also %1</translation>
    </message>
    <message>
        <source>ожидается один файл проекта, а указан еще и %1</source>
        <translation>one project file expected, got also %1</translation>
    </message>
    <message>
        <source>--bounds требует %1 пар lo:hi, а задано %2</source>
        <translation>--bounds needs %1 pairs lo:hi, got %2</translation>
    </message>
    <message>
        <source>граница «%1» должна иметь вид lo:hi, где 0 &lt;= lo &lt; hi &lt;= 100</source>
        <translation>bound &quot;%1&quot; must be lo:hi with 0 &lt;= lo &lt; hi &lt;= 100</translation>
    </message>
    <message>
        <source>--lock принимает номера компонентов от 1 до %1, а задано «%2»</source>
        <translation>--lock takes component numbers from 1 to %1, got &quot;%2&quot;</translation>
    </message>
    <message>
        <source>таблицы проекта %1 содержат ошибки: %2</source>
        <translation>the tables of %1 are not valid: %2</translation>
    </message>
    <message>
        <source>ни один состав не удовлетворяет закреплениям и границам: </source>
        <translation>no recipe satisfies the locks and bounds: </translation>
    </message>
    <message>
        <source>--steps требует целого числа шагов</source>
        <translation>--steps needs a whole number of steps</translation>
    </message>
    <message>
        <source>--seed требует целого числа</source>
        <translation>--seed needs a whole number</translation>
    </message>
    <message>
        <source>нужен параметр -o OUT.docx</source>
        <translation>-o OUT.docx is required</translation>
    </message>
    <message>
        <source>--sections принимает номера от 1 до 11, а задано «%1»</source>
        <translation>--sections takes numbers from 1 to 11, got &quot;%1&quot;</translation>
    </message>
    <message>
        <source>ожидаются два файла: IN OUT (см. --help)</source>
        <translation>two files expected: IN OUT (see --help)</translation>
    </message>
    <message>
        <source>--lang: «%1» — не язык программы (en или ru)</source>
        <translation>--lang: &quot;%1&quot; is not a language of the program (en or ru)</translation>
    </message>
    <message>
        <source>неизвестная команда %1 (см. --help)</source>
        <translation>unknown command %1 (see --help)</translation>
    </message>
    <message>
        <source>Запуск: palvex-cli [--lang en|ru] %1
</source>
        <translation>Usage: palvex-cli [--lang en|ru] %1
</translation>
    </message>
</context>
<context>
    <name>ComponentDatabase</name>
    <message>
        <source> и еще %1</source>
        <translation> and %1 more</translation>
    </message>
    <message>
        <source>Файл настроек «%1» не найден или не читается.</source>
        <translation>The settings file “%1” is not found or cannot be read.</translation>
    </message>
    <message>
        <source>Файл настроек «%1» не является текстом в кодировке Windows-1251.</source>
        <translation>The settings file “%1” is not text in the Windows-1251 encoding.</translation>
    </message>
    <message>
        <source>Файл настроек «%1»: строка %2 («%3») %4</source>
        <translation>The settings file “%1”: line %2 (“%3”) %4</translation>
    </message>
    <message>
        <source>должна иметь вид «строка:столбец,строка:столбец».</source>
        <translation>must have the form “row:column,row:column”.</translation>
    </message>
    <message>
        <source>указывает строку листа «%1»; строки листа нумеруются от 1 до 1 048 576.</source>
        <translation>names the worksheet row “%1”; worksheet rows are numbered from 1 to 1,048,576.</translation>
    </message>
    <message>
        <source>указывает столбец листа «%1»; столбцы листа нумеруются от 1 до 16 384.</source>
        <translation>names the worksheet column “%1”; worksheet columns are numbered from 1 to 16,384.</translation>
    </message>
    <message>
        <source>Файл настроек «%1»: в строке 1 последний столбец размеров сит меньше первого.</source>
        <translation>The settings file “%1”: in line 1 the last column of sieve sizes comes before the first.</translation>
    </message>
    <message>
        <source>В базе данных «%1» больше %2 строк компонентов (начиная со строки %3); столько программа не читает.</source>
        <translation>The database “%1” has more than %2 component rows (from row %3 on); the program does not read that many.</translation>
    </message>
    <message>
        <source>Не удалось прочитать базу данных «%1»: %2.</source>
        <translation>Could not read the database “%1”: %2.</translation>
    </message>
    <message>
        <source>В базе данных «%1» в строке %2 (столбцы %3–%4) нет размеров сит; проверьте файл настроек app_setups.ini.</source>
        <translation>The database “%1” has no sieve sizes in row %2 (columns %3–%4); check the settings file app_setups.ini.</translation>
    </message>
    <message>
        <source>В базе данных «%1» размер сита в ячейке %2 пуст или не является числом; проверьте файл настроек app_setups.ini.</source>
        <translation>In the database “%1” the sieve size in cell %2 is empty or not a number; check the settings file app_setups.ini.</translation>
    </message>
    <message>
        <source>В базе данных «%1» размеры сит в ячейках %2 пусты или не являются числами; проверьте файл настроек app_setups.ini.</source>
        <translation>In the database “%1” the sieve sizes in cells %2 are empty or not numbers; check the settings file app_setups.ini.</translation>
    </message>
    <message>
        <source>В базе данных «%1» у компонента в строке %2 нет общей массы пробы (ячейка в столбце %3 пуста, не число или 0): его проценты и проходы не рассчитаны. Проверьте базу данных и файл настроек app_setups.ini.</source>
        <translation>In the database “%1” the component in row %2 has no total sample mass (the cell in column %3 is empty, not a number or 0): its percentages and passings are not calculated. Check the database and the settings file app_setups.ini.</translation>
    </message>
    <message>
        <source>В базе данных «%1» у компонентов в строках %2 нет общей массы пробы (столбец %3 пуст, не число или 0): их проценты и проходы не рассчитаны. Проверьте базу данных и файл настроек app_setups.ini.</source>
        <translation>In the database “%1” the components in rows %2 have no total sample mass (column %3 is empty, not a number or 0): their percentages and passings are not calculated. Check the database and the settings file app_setups.ini.</translation>
    </message>
</context>
<context>
    <name>ComponentSelection</name>
    <message>
        <source>Проверьте правильность заполнения полей!</source>
        <translation>Check that the fields are filled in correctly!</translation>
    </message>
    <message>
        <source>Частные остатки [гр]</source>
        <translation>Partial residues [g]</translation>
    </message>
    <message>
        <source>Частные остатки [%]</source>
        <translation>Partial residues [%]</translation>
    </message>
    <message>
        <source>Полные остатки [гр]</source>
        <translation>Cumulative residues [g]</translation>
    </message>
    <message>
        <source>Полные остатки [%]</source>
        <translation>Cumulative residues [%]</translation>
    </message>
    <message>
        <source>Полные проходы [гр]</source>
        <translation>Cumulative passing [g]</translation>
    </message>
    <message>
        <source>Полные проходы [%]</source>
        <translation>Cumulative passing [%]</translation>
    </message>
    <message>
        <source>Данный компонент уже используется в составе смеси!</source>
        <translation>This component is already used in the mix!</translation>
    </message>
    <message>
        <source>Название компонента</source>
        <translation>Component name</translation>
    </message>
    <message>
        <source>Частные остатки [гр.]</source>
        <translation>Partial residues [g]</translation>
    </message>
    <message>
        <source>Полные остатки [гр.]</source>
        <translation>Cumulative residues [g]</translation>
    </message>
    <message>
        <source>Полные проходы [гр.]</source>
        <translation>Cumulative passing [g]</translation>
    </message>
    <message>
        <source>Размеры частиц (апертуры сит)</source>
        <translation>Particle sizes (sieve apertures)</translation>
    </message>
    <message>
        <source>У компонента «%1» (строка %2 базы данных) нет зернового состава в процентах: в базе не указана общая масса пробы. Выберите другой компонент или исправьте базу данных и файл настроек app_setups.ini.</source>
        <translation>The component “%1” (row %2 of the database) has no grain composition in percent: the database gives no total sample mass. Choose another component or correct the database and the settings file app_setups.ini.</translation>
    </message>
    <message>
        <source>В базе данных нет размера сита для %1-го класса крупности (размер пуст или не число); проверьте файл настроек app_setups.ini.</source>
        <translation>The database has no sieve size for size class %1 (the size is empty or not a number); check the settings file app_setups.ini.</translation>
    </message>
    <message>
        <source>Гранит: 2,75</source>
        <translation>Granite: 2,75</translation>
    </message>
    <message>
        <source>Цемент: 3,1</source>
        <translation>Cement: 3,1</translation>
    </message>
    <message>
        <source>Известняк плотный: 2,5</source>
        <translation>Dense limestone: 2,5</translation>
    </message>
    <message>
        <source>Песок кварцевый: 2,65</source>
        <translation>Quartz sand: 2,65</translation>
    </message>
    <message>
        <source>Шлак доменный: 2,95</source>
        <translation>Blast-furnace slag: 2,95</translation>
    </message>
    <message>
        <source>Шлак пористый: 2,94</source>
        <translation>Expanded slag: 2,94</translation>
    </message>
    <message>
        <source>Шлак мартеновский: 3,2</source>
        <translation>Open-hearth slag: 3,2</translation>
    </message>
    <message>
        <source>Шлак конвертерный: 3,1</source>
        <translation>Converter slag: 3,1</translation>
    </message>
    <message>
        <source>Шлак медеплавильный: 3,5</source>
        <translation>Copper slag: 3,5</translation>
    </message>
    <message>
        <source>Шлак фосфорный: 2,95</source>
        <translation>Phosphorus slag: 2,95</translation>
    </message>
    <message>
        <source>Стальная крошка: 7,85</source>
        <translation>Steel shot: 7,85</translation>
    </message>
</context>
<context>
    <name>DocxWriter</name>
    <message>
        <source>Рисунок %1</source>
        <translation>Picture %1</translation>
    </message>
    <message>
        <source>не удалось собрать документ в памяти</source>
        <translation>the document could not be assembled in memory</translation>
    </message>
</context>
<context>
    <name>FileErrors</name>
    <message>
        <source>папка «%1» не существует</source>
        <translation>the folder “%1” does not exist</translation>
    </message>
    <message>
        <source>с этим именем уже есть папка</source>
        <translation>a folder of that name already exists</translation>
    </message>
    <message>
        <source>файл защищен от записи</source>
        <translation>the file is write-protected</translation>
    </message>
    <message>
        <source>нет прав на запись в папку «%1»</source>
        <translation>no permission to write to the folder “%1”</translation>
    </message>
    <message>
        <source>файл не существует</source>
        <translation>the file does not exist</translation>
    </message>
    <message>
        <source>нет прав на чтение файла</source>
        <translation>no permission to read the file</translation>
    </message>
    <message>
        <source>файл не удалось открыть (он может быть занят другой программой)</source>
        <translation>the file could not be opened (another program may be using it)</translation>
    </message>
    <message>
        <source>ошибка записи (возможно, диск заполнен)</source>
        <translation>write error (the disk may be full)</translation>
    </message>
    <message>
        <source>не хватает места на диске или системных ресурсов</source>
        <translation>not enough disk space or system resources</translation>
    </message>
    <message>
        <source>ошибка чтения файла</source>
        <translation>error reading the file</translation>
    </message>
    <message>
        <source>не удалось заменить прежний файл</source>
        <translation>the previous file could not be replaced</translation>
    </message>
    <message>
        <source>ошибка ввода-вывода</source>
        <translation>input/output error</translation>
    </message>
</context>
<context>
    <name>Graph</name>
    <message>
        <source>Проверьте правильность заполнения таблиц!</source>
        <translation>Check that the tables are filled in correctly!</translation>
    </message>
</context>
<context>
    <name>Optimum</name>
    <message>
        <source>закрепленная доля компонента %1 (%2 %) лежит вне его границ (%3–%4 %).</source>
        <translation>the locked fraction of component %1 (%2 %) lies outside its bounds (%3–%4 %).</translation>
    </message>
    <message>
        <source>закрепленные доли и нижние границы компонентов %1 в сумме больше 100 %.</source>
        <translation>the locked fractions and lower bounds of components %1 add up to more than 100 %.</translation>
    </message>
    <message>
        <source>закрепленные доли и верхние границы компонентов %1 в сумме меньше 100 %.</source>
        <translation>the locked fractions and upper bounds of components %1 add up to less than 100 %.</translation>
    </message>
    <message>
        <source>закрепленные доли и границы компонентов %1 несовместимы.</source>
        <translation>the locked fractions and bounds of components %1 contradict each other.</translation>
    </message>
    <message>
        <source>проект должен иметь от 1 до 10 компонентов и от 1 до 50 классов крупности.</source>
        <translation>the project must have 1 to 10 components and 1 to 50 size classes.</translation>
    </message>
    <message>
        <source>плотность компонента %1 должна быть больше нуля.</source>
        <translation>the density of component %1 must be greater than zero.</translation>
    </message>
    <message>
        <source>решение не найдено (код %1).</source>
        <translation>no solution found (code %1).</translation>
    </message>
    <message>
        <source>решение не найдено.</source>
        <translation>no solution found.</translation>
    </message>
</context>
<context>
    <name>PictureFile</name>
    <message>
        <source>Изображение PNG (*.png);;Рисунок BMP (*.bmp)</source>
        <translation>PNG image (*.png);;BMP picture (*.bmp)</translation>
    </message>
    <message>
        <source>Не удалось сохранить изображение «%1»: рисунок не удалось закодировать.</source>
        <translation>Could not save the image “%1”: the picture could not be encoded.</translation>
    </message>
    <message>
        <source>Не удалось сохранить изображение «%1»: %2.</source>
        <translation>Could not save the image “%1”: %2.</translation>
    </message>
</context>
<context>
    <name>ProjectFile</name>
    <message>
        <source>Текст «%1» содержит символы, которые нельзя сохранить в кодировке Windows-1251. Исправьте его и сохраните проект снова.</source>
        <translation>The text “%1” contains characters that cannot be saved in the Windows-1251 encoding. Correct it and save the project again.</translation>
    </message>
    <message>
        <source>Текст «%1» содержит перевод строки; такой текст нельзя сохранить в файле проекта.</source>
        <translation>The text “%1” contains a line break; such a text cannot be saved in a project file.</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл «%1»: %2.%3</source>
        <translation>Could not save the file “%1”: %2.%3</translation>
    </message>
    <message>
        <source> Прежнее содержимое файла не изменено.</source>
        <translation> The file’s previous contents are unchanged.</translation>
    </message>
    <message>
        <source>Не удалось открыть файл «%1»: %2.</source>
        <translation>Could not open the file “%1”: %2.</translation>
    </message>
    <message>
        <source>Файл «%1» слишком велик для файла проекта (больше 1 МБ).</source>
        <translation>The file “%1” is too large for a project file (over 1 MB).</translation>
    </message>
    <message>
        <source>Файл «%1» не открыт: %2</source>
        <translation>The file “%1” was not opened: %2</translation>
    </message>
    <message>
        <source>он больше 1 МБ.</source>
        <translation>it is larger than 1 MB.</translation>
    </message>
    <message>
        <source>он сохранен в кодировке UTF-16; сохраните его в кодировке Windows-1251 или UTF-8.</source>
        <translation>it is saved in the UTF-16 encoding; save it in Windows-1251 or UTF-8.</translation>
    </message>
    <message>
        <source>это не текстовый файл.</source>
        <translation>it is not a text file.</translation>
    </message>
    <message>
        <source>он начинается с метки UTF-8, но дальше не является текстом UTF-8.</source>
        <translation>it begins with a UTF-8 byte-order mark but is not UTF-8 text after it.</translation>
    </message>
    <message>
        <source>это не текст в кодировке Windows-1251.</source>
        <translation>it is not text in the Windows-1251 encoding.</translation>
    </message>
    <message>
        <source>файл кончается раньше, чем указано число компонентов.</source>
        <translation>the file ends before the number of components.</translation>
    </message>
    <message>
        <source>число компонентов (строка 2: «%1») должно быть целым.</source>
        <translation>the number of components (line 2: “%1”) must be a whole number.</translation>
    </message>
    <message>
        <source>число компонентов (строка 2: «%1») должно быть от 1 до 10.</source>
        <translation>the number of components (line 2: “%1”) must be from 1 to 10.</translation>
    </message>
    <message>
        <source>файл кончается раньше, чем указано число типоразмеров частиц.</source>
        <translation>the file ends before the number of particle size classes.</translation>
    </message>
    <message>
        <source>число типоразмеров частиц (строка %1: «%2») должно быть целым.</source>
        <translation>the number of particle size classes (line %1: “%2”) must be a whole number.</translation>
    </message>
    <message>
        <source>число типоразмеров частиц (строка %1: «%2») должно быть от 2 до 50.</source>
        <translation>the number of particle size classes (line %1: “%2”) must be from 2 to 50.</translation>
    </message>
    <message>
        <source>в файле %1 строк, а для N = %2 и K = %3 нужно %4.</source>
        <translation>the file has %1 lines, but N = %2 and K = %3 need %4.</translation>
    </message>
    <message>
        <source>файл не найден</source>
        <translation>file not found</translation>
    </message>
    <message>
        <source>это папка, а не файл</source>
        <translation>it is a folder, not a file</translation>
    </message>
    <message>
        <source>нет прав на чтение файла</source>
        <translation>no permission to read the file</translation>
    </message>
    <message>
        <source>файл не удается прочитать</source>
        <translation>the file cannot be read</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>основной задачей произведенных расчетов является приближение зернового состава проектируемой смеси к заданному эталонному зерновому составу. Данный программный продукт (и алгоритм, лежащий в его основе) является лишь вспомогательным расчетно-математическим средством, при этом не гарантируется оптимизирующий эффект в отношении качественных (технико-эксплуатационных) характеристик конечного продукта. Методологическая основа задачи оптимизации зернового состава сырьевой смеси сводится к критериям выбора эталонного зернового состава. При этом следует учитывать аспекты пространственной упаковки частиц и их влияние на структурную топологию рассматриваемого гранулированного материала.</source>
        <translation>the main aim of these calculations is to bring the grain composition of the designed mix as close as possible to the given reference grain composition. This program (and the algorithm it rests on) is only an auxiliary computational tool; it does not guarantee any improvement of the quality (technical and service) properties of the final product. Optimising the grain composition of a raw mix comes down, as a method, to the criteria by which the reference grain composition is chosen. The spatial packing of the particles and its effect on the structure of the granular material should be taken into account as well.</translation>
    </message>
    <message>
        <source>Результаты расчета зернового состава сырьевой смеси</source>
        <translation>Results of the grain composition design of the raw mix</translation>
    </message>
    <message>
        <source>Название проектируемой смеси: </source>
        <translation>Name of the designed mix: </translation>
    </message>
    <message>
        <source>Количество сырьевых компонентов смеси: </source>
        <translation>Number of raw components in the mix: </translation>
    </message>
    <message>
        <source>Названия сырьевых компонентов смеси</source>
        <translation>Names of the raw components of the mix</translation>
    </message>
    <message>
        <source>Плотности сырьевых компонентов смеси</source>
        <translation>Grain densities of the raw components of the mix</translation>
    </message>
    <message>
        <source>Зерновые составы сырьевых компонентов смеси (интегральное распределение, %)</source>
        <translation>Grain compositions of the raw components of the mix (cumulative distribution, %)</translation>
    </message>
    <message>
        <source>Зерновые составы сырьевых компонентов смеси (дифференциальное распределение, %)</source>
        <translation>Grain compositions of the raw components of the mix (differential distribution, %)</translation>
    </message>
    <message>
        <source>Исходный компонентный состав смеси в массовых долях, % (базовая рецептура, подлежащая оптимизации)</source>
        <translation>Base component composition of the mix in mass fractions, % (the base recipe to be optimised)</translation>
    </message>
    <message>
        <source>Диаграмма массовых долей исходного компонентного состава:</source>
        <translation>Mass fractions of the base component composition:</translation>
    </message>
    <message>
        <source>Эталонный зерновой состав (полный проход A&apos;j, % в зависимости от размеров частиц Dj)</source>
        <translation>Reference grain composition (cumulative passing A&apos;j, % against the particle size Dj)</translation>
    </message>
    <message>
        <source>Скорректированный компонентный состав смеси в массовых долях, % (оптимальная рецептура, отвечающая минимальному расхождению грансостава смеси с эталоном)</source>
        <translation>Corrected component composition of the mix in mass fractions, % (the optimal recipe, with the smallest divergence of the mix grading from the reference)</translation>
    </message>
    <message>
        <source>Скорректированный зерновой состав (полный проход A&apos;j, % в зависимости от размеров частиц Dj)</source>
        <translation>Corrected grain composition (cumulative passing A&apos;j, % against the particle size Dj)</translation>
    </message>
    <message>
        <source>Гранулометрический график (</source>
        <translation>Grading chart (</translation>
    </message>
    <message>
        <source>Aj - полный проход (%) частиц через условное сито Dj [эталонный (синий), исходный (оранжевый), скорректированный (красный) составы и расхождение кривых (серый)]</source>
        <translation>Aj - cumulative passing (%) of particles through the sieve Dj [reference (blue), base (orange) and corrected (red) compositions, and the curve divergence (grey)]</translation>
    </message>
    <message>
        <source>Примечание: </source>
        <translation>Note: </translation>
    </message>
    <message>
        <source>без названия</source>
        <translation>untitled</translation>
    </message>
    <message>
        <source>Отчет — </source>
        <translation>Report — </translation>
    </message>
    <message>
        <source>Не удалось записать отчет «%1»: %2</source>
        <translation>Could not write the report “%1”: %2</translation>
    </message>
    <message>
        <source>Не удалось записать отчет: в папке «%1» заняты все имена отчетов этого проекта.</source>
        <translation>Could not write the report: every report name of this project is taken in the folder “%1”.</translation>
    </message>
</context>
<context>
    <name>SafeSave</name>
    <message>
        <source>на диске недостаточно места</source>
        <translation>not enough space on the disk</translation>
    </message>
    <message>
        <source>исчерпана дисковая квота</source>
        <translation>the disk quota is exhausted</translation>
    </message>
    <message>
        <source>нет прав на запись в эту папку или в этот файл</source>
        <translation>no permission to write to this folder or file</translation>
    </message>
    <message>
        <source>диск доступен только для чтения</source>
        <translation>the disk is read-only</translation>
    </message>
    <message>
        <source>папка не найдена</source>
        <translation>folder not found</translation>
    </message>
    <message>
        <source>часть пути не является папкой</source>
        <translation>a part of the path is not a folder</translation>
    </message>
    <message>
        <source>под этим именем уже есть папка</source>
        <translation>a folder of that name already exists</translation>
    </message>
    <message>
        <source>слишком длинное имя файла</source>
        <translation>the file name is too long</translation>
    </message>
    <message>
        <source>ошибка ввода-вывода при записи на диск</source>
        <translation>input/output error writing to the disk</translation>
    </message>
    <message>
        <source>файл слишком велик для этого диска</source>
        <translation>the file is too large for this disk</translation>
    </message>
    <message>
        <source>открыто слишком много файлов</source>
        <translation>too many files are open</translation>
    </message>
    <message>
        <source>файл занят другой программой</source>
        <translation>another program is using the file</translation>
    </message>
    <message>
        <source>слишком много символических ссылок в пути</source>
        <translation>too many symbolic links in the path</translation>
    </message>
    <message>
        <source>недопустимое имя файла</source>
        <translation>invalid file name</translation>
    </message>
    <message>
        <source>системная ошибка № %1</source>
        <translation>system error no. %1</translation>
    </message>
</context>
<context>
    <name>Session</name>
    <message>
        <source>Расхождение кривых: </source>
        <translation>Curve divergence: </translation>
    </message>
    <message>
        <source>Минимально возможное расхождение: </source>
        <translation>Smallest possible divergence: </translation>
    </message>
</context>
<context>
    <name>Validation</name>
    <message>
        <source>Таблица заполнена не до конца, либо допущены синтаксические ошибки!</source>
        <translation>The table is not filled in completely, or it has syntax errors!</translation>
    </message>
    <message>
        <source>-&gt; Диаметры частиц заданы НЕ в порядке убывания, либо допущены синтаксические ошибки.</source>
        <translation>-&gt; The particle sizes are NOT in descending order, or they have syntax errors.</translation>
    </message>
    <message>
        <source>-&gt; Процентное содержание частиц компонента %1 задано НЕ в порядке убывания.</source>
        <translation>-&gt; The percentages of component %1 are NOT in descending order.</translation>
    </message>
    <message>
        <source>-&gt; В столбце процентного содержания частиц компонента %1 допущены синтаксические ошибки ввода.</source>
        <translation>-&gt; The percentage column of component %1 has syntax errors.</translation>
    </message>
    <message>
        <source>Таблица содержит ошибки (сумма массовых долей &lt;&gt; 100%)!</source>
        <translation>The table has errors (the mass fractions do not add up to 100%)!</translation>
    </message>
</context>
<context>
    <name>WindowArguments</name>
    <message>
        <source>Palvex %1: проектирование зернового состава сырьевых смесей.</source>
        <translation>Palvex %1: designing the grain composition of raw mixes.</translation>
    </message>
    <message>
        <source>Показать эту справку.</source>
        <translation>Show this help.</translation>
    </message>
    <message>
        <source>Показать шаг N (1–%1, как на кнопках шагов).</source>
        <translation>Show step N (1–%1, as on the step buttons).</translation>
    </message>
    <message>
        <source>Язык программы: en (английский) или ru (русский). По умолчанию — язык системы, если это английский, иначе русский.</source>
        <translation>Language of the program: en (English) or ru (Russian). By default the system’s language if it is English, else Russian.</translation>
    </message>
    <message>
        <source>Файл проекта, который нужно открыть.</source>
        <translation>The project file to open.</translation>
    </message>
    <message>
        <source>неизвестный параметр %1 (см. palvex --help)</source>
        <translation>unknown option %1 (see palvex --help)</translation>
    </message>
    <message>
        <source>--lang: «%1» — не язык программы (en или ru)</source>
        <translation>--lang: &quot;%1&quot; is not a language of the program (en or ru)</translation>
    </message>
    <message>
        <source>--step: «%1» — не номер шага (от 1 до %2)</source>
        <translation>--step: &quot;%1&quot; is not a step number (1 to %2)</translation>
    </message>
    <message>
        <source>открывается один проект, а указаны: %1</source>
        <translation>one project can be opened, but these were given: %1</translation>
    </message>
    <message>
        <source>файл «%1» не найден</source>
        <translation>file “%1” not found</translation>
    </message>
    <message>
        <source>«%1» — папка, а не файл проекта</source>
        <translation>“%1” is a folder, not a project file</translation>
    </message>
    <message>
        <source>файл «%1» не удалось прочитать: %2</source>
        <translation>file “%1” could not be read: %2</translation>
    </message>
</context>
<context>
    <name>Xlsx</name>
    <message>
        <source>Истина</source>
        <translation>TRUE</translation>
    </message>
    <message>
        <source>Ложь</source>
        <translation>FALSE</translation>
    </message>
    <message>
        <source>это не книга Excel (.xlsx) или файл поврежден</source>
        <translation>it is not an Excel workbook (.xlsx), or the file is damaged</translation>
    </message>
    <message>
        <source>файл не найден</source>
        <translation>file not found</translation>
    </message>
    <message>
        <source>файл не удается прочитать</source>
        <translation>the file cannot be read</translation>
    </message>
    <message>
        <source>не хватает памяти</source>
        <translation>out of memory</translation>
    </message>
    <message>
        <source>книга сжата или зашифрована способом, который программа не читает</source>
        <translation>the workbook is compressed or encrypted in a way the program cannot read</translation>
    </message>
    <message>
        <source>архив книги не читается (ошибка архива № %1)</source>
        <translation>the workbook archive cannot be read (archive error no. %1)</translation>
    </message>
    <message>
        <source>книга распаковывается в слишком большой объем (больше 24 МБ)</source>
        <translation>the workbook unpacks to too large a size (over 24 MB)</translation>
    </message>
    <message>
        <source>в книге нет части %1</source>
        <translation>the workbook has no part %1</translation>
    </message>
    <message>
        <source>часть %1 книги повреждена</source>
        <translation>part %1 of the workbook is damaged</translation>
    </message>
    <message>
        <source>часть %1 книги повреждена: она не распаковывается</source>
        <translation>part %1 of the workbook is damaged: it does not unpack</translation>
    </message>
    <message>
        <source>в книге больше 4 000 000 элементов XML; столько не бывает даже в базе из 10 000 компонентов</source>
        <translation>the workbook has more than 4,000,000 XML elements; not even a database of 10,000 components has that many</translation>
    </message>
    <message>
        <source>часть %1 объявляет DTD, чего в книгах Excel не бывает; такая книга не читается</source>
        <translation>part %1 declares a DTD, which Excel workbooks never do; such a workbook is not read</translation>
    </message>
    <message>
        <source>в части %1 элементы вложены глубже %2 уровней, чего в книгах Excel не бывает</source>
        <translation>in part %1 the elements are nested deeper than %2 levels, which never happens in Excel workbooks</translation>
    </message>
    <message>
        <source>часть %1 книги повреждена: %2</source>
        <translation>part %1 of the workbook is damaged: %2</translation>
    </message>
    <message>
        <source>она обрывается раньше своего конца</source>
        <translation>it breaks off before its end</translation>
    </message>
    <message>
        <source>нарушена разметка XML (строка %1, позиция %2)</source>
        <translation>broken XML markup (line %1, column %2)</translation>
    </message>
    <message>
        <source>неожиданный элемент XML (строка %1)</source>
        <translation>unexpected XML element (line %1)</translation>
    </message>
    <message>
        <source>разметка XML не читается (строка %1)</source>
        <translation>the XML markup cannot be read (line %1)</translation>
    </message>
    <message>
        <source>в книге не найден ни один лист</source>
        <translation>the workbook has no worksheet</translation>
    </message>
    <message>
        <source>в книге не найден первый лист</source>
        <translation>the first worksheet of the workbook is not found</translation>
    </message>
    <message>
        <source>в части %1 больше 1 000 000 строк; столько книга с базой компонентов не содержит</source>
        <translation>part %1 has more than 1,000,000 rows; no component database workbook has that many</translation>
    </message>
    <message>
        <source>в части %1 есть ячейка за пределами листа (строка %2, столбец %3)</source>
        <translation>part %1 has a cell outside the worksheet (row %2, column %3)</translation>
    </message>
    <message>
        <source>в листе больше 2 000 000 заполненных ячеек</source>
        <translation>the worksheet has more than 2,000,000 filled cells</translation>
    </message>
</context>
</TS>
